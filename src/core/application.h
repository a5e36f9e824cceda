#pragma once
// The program's application object: no exception leaves an event handler. Whatever a
// slot, timer, event filter or event handler throws is caught where Qt delivers the
// event, shown as "오류번호 : … 오류내용 : …" and written to the daily log; the event
// ends there and the program goes on with its state as the handler left it (a sale on
// the screen stays).
#include <QApplication>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

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

// The one boundary for a slot: whatever fn throws goes through ReportUnhandled. A signal
// emitted from code (click(), setText in a handler, a timer inside a local event loop)
// reaches its slot without passing the application object, so every connect whose slot
// can throw takes its slot through Guarded:
//   connect(cmdSave, &QPushButton::clicked, this, Guarded([this] { cmdSave_Click(); }));
template <typename Fn>
void RunGuarded(Fn &&fn) noexcept {
  try {
    fn();
  } catch (...) {
    ReportUnhandled(std::current_exception());
  }
}
template <typename Fn>
auto Guarded(Fn fn) {
  return [fn = std::move(fn)](auto &&...args) mutable {
    RunGuarded([&] {
      if constexpr (std::is_invocable_v<Fn &, decltype(args)...>)
        fn(std::forward<decltype(args)>(args)...);
      else
        fn();
    });
  };
}

// Where the work goes on past a failure without a box (a device checked at load, a side
// step that may fail): the error is written to the daily log under where; the program
// going down (ProgramEnding) passes on. Call it inside a catch (...).
void LogAndGoOn(std::exception_ptr error, const QString &where);
template <typename Fn>
bool RunLogged(const QString &where, Fn &&fn) {
  try {
    fn();
    return true;
  } catch (...) {
    LogAndGoOn(std::current_exception(), where);
    return false;
  }
}

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
