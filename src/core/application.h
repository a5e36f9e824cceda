#pragma once
// The program's application object: no exception leaves an event handler. Whatever a
// slot, timer, event filter or event handler throws is caught where Qt delivers the
// event, shown as "오류번호 : … 오류내용 : …" and written to the daily log; the event
// ends there and the program goes on with its state as the handler left it (a sale on
// the screen stays).
#include <QApplication>
#include <exception>
#include <functional>

namespace orv {

class Application : public QApplication {
 public:
  Application(int &argc, char **argv);
  bool notify(QObject *receiver, QEvent *event) override;
};

// The box text for an exception: "오류번호 : " number CR LF "오류내용 : " description.
// A database error gives its own number; other exceptions number 0.
QString UnhandledErrorText(std::exception_ptr error);
QString ErrorBoxText(long number, const QString &description);
QString ErrorBoxText(const std::exception &error);

// Shows the box (under title, when given) and writes the daily log line; never throws.
void ReportUnhandled(std::exception_ptr error, const QString &title = {});

// The program cannot go on (the database it would work on cannot be opened): whatever
// handler is running is left through this exception, its guards roll back, and the
// application object lets it pass without a box.
struct ProgramEnding : std::exception {
  const char *what() const noexcept override { return "program ending"; }
};
// Asks every event loop to end with code, then throws ProgramEnding.
[[noreturn]] void EndProgramNow(int code);
// What the ask does (default: QCoreApplication::exit); tests record it instead. Returns the
// previous hook.
using EndProgramHook = std::function<void(int code)>;
EndProgramHook SetEndProgramHook(EndProgramHook hook);

}  // namespace orv
