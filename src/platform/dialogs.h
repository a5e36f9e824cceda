#pragma once
// Every message box, input box and modal show of a form goes through here, so that tests
// can answer them from a script instead of a person.
//
// In the program the boxes are real Qt dialogs. A test program calls EnterTestMode() once:
// from then on nothing is ever shown for real. A test installs a Script (answers in order,
// a handler per form) and reads its log; a box or form the script cannot answer is
// reported through the failure hook and gets the "safe" answer (No, Cancel, a cancelled
// input, a rejected form), so nothing waits for a person.
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

class QDialog;
class QLineEdit;
class QWidget;

namespace orv::dialogs {

// Box styles. The values are the classic message-box flags, so that "flags 68" of an
// older description reads as kYesNo | kInformation.
enum Flags : int {
  kOkOnly = 0,
  kOkCancel = 1,
  kYesNo = 4,
  kCritical = 16,
  kQuestion = 32,
  kExclamation = 48,
  kInformation = 64,
};

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

Icon IconOf(int flags);
Buttons ButtonsOf(int flags);

// A message box. An empty title shows the application's title. The text may hold CR LF.
Answer MsgBox(const QString &text, int flags = kOkOnly, const QString &title = {});

// The three styles the program uses most, and the Yes/No question.
void Info(const QString &text, const QString &title);
void Critical(const QString &text, const QString &title);
void Plain(const QString &text);  // only OK, no icon, no title of its own
bool AskYesNo(const QString &text, const QString &title, int iconFlags = kInformation);

// How an input box shows what is typed: as typed, or one "*" per character (passwords,
// which the customer across the counter must not read).
enum class Echo { Normal, Password };

// How an input box shows its prompt: in the window's font, or in a fixed-pitch one for
// prompts laid out in columns (a Hangul syllable two columns wide).
enum class Pitch { Proportional, Fixed };

// An input box: the typed text, or nullopt when cancelled.
std::optional<QString> InputBox(const QString &prompt, const QString &title = {},
                                const QString &defaultText = {}, Echo echo = Echo::Normal,
                                Pitch pitch = Pitch::Proportional);
// An input box that asks for a password.
inline std::optional<QString> PasswordBox(const QString &prompt, const QString &title = {},
                                          const QString &defaultText = {}) {
  return InputBox(prompt, title, defaultText, Echo::Password);
}

// Shows one "*" per typed character, whatever bullet the platform's style would draw.
void SetPasswordEcho(QLineEdit &edit);

// Shows a form modally and returns when it is closed: a dialog's result (QDialog::Accepted
// or Rejected), 0 for another widget.
int ShowModal(QDialog &form);
int ShowModal(QWidget &form);

// The title a box without a title of its own shows.
QString ApplicationTitle();
void SetApplicationTitle(const QString &title);

// ---------------------------------------------------------------- test support

enum class Kind { MessageBox, InputBox, Form };

// One entry of a script's log.
struct Shown {
  Kind kind = Kind::MessageBox;
  Icon icon = Icon::None;
  Buttons buttons = Buttons::Ok;
  QString title;        // as the caller gave it (empty: the application's title)
  QString text;         // message text, input prompt, or the form's class name
  QString defaultText;  // input boxes
  Echo echo = Echo::Normal;  // input boxes
  Pitch pitch = Pitch::Proportional;
  QString formName;     // forms: objectName
  // What the script answered.
  Answer answer = Answer::Ok;
  std::optional<QString> input;
};

using FailureHook = std::function<void(const QString &message)>;

// Called with a description of each box or form nobody scripted. Returns the previous hook.
FailureHook SetFailureHook(FailureHook hook);
// Test programs: never show anything for real; report unscripted boxes to the hook. Also
// watches for modal dialogs opened behind this layer's back, reports and closes them.
void EnterTestMode(FailureHook hook);
bool InTestMode();

// Installed for its lifetime (scripts nest: the newest answers). Message boxes with only
// an OK button are acknowledged without an answer unless StrictOk() is set.
class Script {
 public:
  using FormHandler = std::function<void(QWidget &form)>;

  Script();
  ~Script();
  Script(const Script &) = delete;
  Script &operator=(const Script &) = delete;

  // Answers, taken in the order the boxes come.
  Script &Button(Answer a);
  Script &Yes() { return Button(Answer::Yes); }
  Script &No() { return Button(Answer::No); }
  Script &Ok() { return Button(Answer::Ok); }
  Script &Cancel() { return Button(Answer::Cancel); }
  Script &Input(const QString &text);
  Script &InputCancel();
  // OK-only boxes need an Ok() answer too.
  Script &StrictOk(bool on = true);
  // Runs whenever a form with this class name (with or without namespace) or objectName is
  // shown modally. The form is visible while it runs; the handler drives it through its
  // controls and must close it (accept, reject, close or hide).
  Script &OnForm(const QString &name, FormHandler handler);
  // At the end of the script's life, unused answers are reported as a failure unless this
  // is turned off.
  Script &ExpectAllUsed(bool on);

  const QList<Shown> &Log() const { return log_; }
  // The texts of the message boxes shown, in order.
  QStringList Texts() const;
  int Remaining() const { return int(answers_.size()); }
  void ClearLog() { log_.clear(); }

 private:
  friend struct Access;
  struct Item {
    bool isInput = false;
    Answer answer = Answer::Ok;
    std::optional<QString> input;
  };
  std::deque<Item> answers_;
  QList<std::pair<QString, FormHandler>> forms_;
  QList<Shown> log_;
  bool strictOk_ = false;
  bool expectAllUsed_ = true;
  Script *previous_ = nullptr;
};

}  // namespace orv::dialogs
