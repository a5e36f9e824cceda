#include "platform/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QLabel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace orv::dialogs {

namespace {

Script *g_script = nullptr;
FailureHook g_hook;
bool g_testMode = false;
QString g_appTitle;
// Forms a script handler is driving right now; the watchdog leaves them alone.
QList<QPointer<QWidget>> g_driven;

void fail(const QString &message) {
  if (g_hook) {
    g_hook(message);
    return;
  }
  qWarning("dialogs: %s", qPrintable(message));
}

Answer safeAnswer(Buttons b) {
  switch (b) {
    case Buttons::OkCancel: return Answer::Cancel;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Ok;
  }
}

bool allows(Buttons b, Answer a) {
  switch (b) {
    case Buttons::Ok: return a == Answer::Ok;
    case Buttons::OkCancel: return a == Answer::Ok || a == Answer::Cancel;
    case Buttons::YesNo: return a == Answer::Yes || a == Answer::No;
  }
  return false;
}

QString describe(const Shown &s) {
  switch (s.kind) {
    case Kind::MessageBox: return QString("message box [%1] \"%2\"").arg(s.title, s.text);
    case Kind::InputBox: return QString("input box [%1] \"%2\"").arg(s.title, s.text);
    case Kind::Form: return QString("form %1 (%2)").arg(s.text, s.formName);
  }
  return {};
}

// Windows-style line breaks show as one break.
QString displayText(const QString &text) {
  QString t = text;
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}

QWidget *parentWindow() { return QApplication::activeWindow(); }

void watchdog() {
  QWidget *w = QApplication::activeModalWidget();
  if (!w || QThread::currentThread()->loopLevel() < 1) return;
  for (const auto &d : g_driven)
    if (d == w) return;
  fail(QString("modal %1 \"%2\" was opened outside the dialogs layer; closed it")
           .arg(w->metaObject()->className(), w->windowTitle()));
  if (auto *dlg = qobject_cast<QDialog *>(w))
    dlg->reject();
  else
    w->close();
}

}  // namespace

struct Access {
  static Script::FormHandler *handlerFor(Script &s, const QWidget &form) {
    const QString cls = form.metaObject()->className();
    const QString tail = cls.mid(cls.lastIndexOf("::") + (cls.contains("::") ? 2 : 0));
    for (auto &[name, handler] : s.forms_)
      if (name == cls || name == tail || (!form.objectName().isEmpty() && name == form.objectName()))
        return &handler;
    return nullptr;
  }
  static std::deque<Script::Item> &answers(Script &s) { return s.answers_; }
  static bool strictOk(const Script &s) { return s.strictOk_; }
  static void log(Script &s, const Shown &shown) { s.log_.push_back(shown); }
};

Icon IconOf(int flags) {
  switch (flags & 0x70) {
    case kCritical: return Icon::Critical;
    case kQuestion: return Icon::Question;
    case kExclamation: return Icon::Exclamation;
    case kInformation: return Icon::Information;
    default: return Icon::None;
  }
}

Buttons ButtonsOf(int flags) {
  switch (flags & 0x0F) {
    case kOkCancel: return Buttons::OkCancel;
    case kYesNo: return Buttons::YesNo;
    default: return Buttons::Ok;
  }
}

QString ApplicationTitle() {
  if (!g_appTitle.isEmpty()) return g_appTitle;
  return QCoreApplication::applicationName();
}

void SetApplicationTitle(const QString &title) { g_appTitle = title; }

Answer MsgBox(const QString &text, int flags, const QString &title) {
  Shown s;
  s.kind = Kind::MessageBox;
  s.icon = IconOf(flags);
  s.buttons = ButtonsOf(flags);
  s.title = title;
  s.text = text;
  if (g_script) {
    Script &sc = *g_script;
    auto &q = Access::answers(sc);
    if (s.buttons == Buttons::Ok && !Access::strictOk(sc)) {
      s.answer = Answer::Ok;
    } else if (!q.empty() && !q.front().isInput && allows(s.buttons, q.front().answer)) {
      s.answer = q.front().answer;
      q.pop_front();
    } else {
      s.answer = safeAnswer(s.buttons);
      Access::log(sc, s);
      fail("no scripted answer for " + describe(s) +
           (q.empty() ? QString() : QString(" (next answer does not fit)")));
      return s.answer;
    }
    Access::log(sc, s);
    return s.answer;
  }
  if (g_testMode) {
    fail("unscripted " + describe(s));
    return safeAnswer(s.buttons);
  }

  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (s.icon) {
    case Icon::Critical: icon = QMessageBox::Critical; break;
    case Icon::Question: icon = QMessageBox::Question; break;
    case Icon::Exclamation: icon = QMessageBox::Warning; break;
    case Icon::Information: icon = QMessageBox::Information; break;
    case Icon::None: break;
  }
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  if (s.buttons == Buttons::OkCancel) buttons = QMessageBox::Ok | QMessageBox::Cancel;
  if (s.buttons == Buttons::YesNo) buttons = QMessageBox::Yes | QMessageBox::No;
  QMessageBox box(icon, title.isEmpty() ? ApplicationTitle() : title, displayText(text), buttons,
                  parentWindow());
  box.setTextFormat(Qt::PlainText);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Ok: return Answer::Ok;
    default: return safeAnswer(s.buttons);  // closed with Esc or the window button
  }
}

void Info(const QString &text, const QString &title) { MsgBox(text, kInformation, title); }
void Critical(const QString &text, const QString &title) { MsgBox(text, kCritical, title); }
void Plain(const QString &text) { MsgBox(text, kOkOnly, QString()); }

bool AskYesNo(const QString &text, const QString &title, int iconFlags) {
  return MsgBox(text, kYesNo | (iconFlags & 0x70), title) == Answer::Yes;
}

void SetPasswordEcho(QLineEdit &edit) {
  edit.setEchoMode(QLineEdit::Password);
  edit.setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
}

std::optional<QString> InputBox(const QString &prompt, const QString &title,
                                const QString &defaultText, Echo echo, Pitch pitch) {
  Shown s;
  s.kind = Kind::InputBox;
  s.title = title;
  s.text = prompt;
  s.defaultText = defaultText;
  s.echo = echo;
  s.pitch = pitch;
  if (g_script) {
    Script &sc = *g_script;
    auto &q = Access::answers(sc);
    if (q.empty() || !q.front().isInput) {
      s.answer = Answer::Cancel;
      Access::log(sc, s);
      fail("no scripted answer for " + describe(s) +
           (q.empty() ? QString() : QString(" (next answer is a button)")));
      return std::nullopt;
    }
    s.input = q.front().input;
    s.answer = s.input ? Answer::Ok : Answer::Cancel;
    q.pop_front();
    Access::log(sc, s);
    return s.input;
  }
  if (g_testMode) {
    fail("unscripted " + describe(s));
    return std::nullopt;
  }
  QInputDialog dlg(parentWindow());
  dlg.setWindowTitle(title.isEmpty() ? ApplicationTitle() : title);
  dlg.setLabelText(displayText(prompt));
  dlg.setTextValue(defaultText);
  if (pitch == Pitch::Fixed) {
    if (auto *label = dlg.findChild<QLabel *>()) {
      QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
      font.setFamilies({QStringLiteral("NanumGothicCoding"), font.family()});
      label->setFont(font);
    }
  }
  if (echo == Echo::Password) {
    dlg.setTextEchoMode(QLineEdit::Password);
    if (auto *edit = dlg.findChild<QLineEdit *>()) SetPasswordEcho(*edit);
  }
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.textValue();
}

namespace {

// Runs the script's handler on a form shown without blocking, and makes sure it is closed
// afterwards. Returns the dialog's result.
int driveForm(QWidget &form, Script::FormHandler &handler) {
  QPointer<QWidget> guard(&form);
  auto *dlg = qobject_cast<QDialog *>(&form);
  int result = QDialog::Rejected;
  QMetaObject::Connection conn;
  if (dlg) {
    dlg->setResult(QDialog::Rejected);
    conn = QObject::connect(dlg, &QDialog::finished, [&result](int r) { result = r; });
  }
  g_driven.push_back(guard);
  form.show();
  handler(form);
  g_driven.removeAll(guard);
  if (guard && guard->isVisible()) {
    fail(QString("form %1 was left open by its handler; closed it")
             .arg(guard->metaObject()->className()));
    if (dlg)
      dlg->reject();
    else
      guard->close();
  }
  if (guard && dlg) {
    QObject::disconnect(conn);
    result = dlg->result();
  }
  return result;
}

int showForm(QWidget &form) {
  Shown s;
  s.kind = Kind::Form;
  s.text = form.metaObject()->className();
  s.formName = form.objectName();
  if (g_script) {
    Script &sc = *g_script;
    Script::FormHandler *h = Access::handlerFor(sc, form);
    Access::log(sc, s);
    if (!h) {
      fail("no handler for " + describe(s));
      return QDialog::Rejected;
    }
    Script::FormHandler handler = *h;  // the handler may change the script
    return driveForm(form, handler);
  }
  if (g_testMode) {
    fail("unscripted " + describe(s));
    return QDialog::Rejected;
  }
  if (auto *dlg = qobject_cast<QDialog *>(&form)) return dlg->exec();

  // A plain widget: block in a local loop until it is hidden, closed or destroyed.
  class Watcher : public QObject {
   public:
    explicit Watcher(QEventLoop &loop) : loop_(loop) {}
    bool eventFilter(QObject *, QEvent *e) override {
      if (e->type() == QEvent::Hide || e->type() == QEvent::Close) loop_.quit();
      return false;
    }

   private:
    QEventLoop &loop_;
  };
  QEventLoop loop;
  Watcher watcher(loop);
  QPointer<QWidget> guard(&form);
  QObject::connect(&form, &QObject::destroyed, &loop, &QEventLoop::quit);
  form.installEventFilter(&watcher);
  form.setWindowModality(Qt::ApplicationModal);
  form.show();
  if (form.isVisible()) loop.exec();
  if (guard) guard->removeEventFilter(&watcher);
  return 0;
}

}  // namespace

int ShowModal(QDialog &form) { return showForm(form); }
int ShowModal(QWidget &form) { return showForm(form); }

// ---------------------------------------------------------------- test support

FailureHook SetFailureHook(FailureHook hook) {
  FailureHook old = std::move(g_hook);
  g_hook = std::move(hook);
  return old;
}

void EnterTestMode(FailureHook hook) {
  g_hook = std::move(hook);
  if (g_testMode) return;
  g_testMode = true;
  auto *timer = new QTimer(QCoreApplication::instance());
  timer->setInterval(100);
  QObject::connect(timer, &QTimer::timeout, &watchdog);
  timer->start();
}

bool InTestMode() { return g_testMode; }

Script::Script() : previous_(g_script) { g_script = this; }

Script::~Script() {
  // Scripts nest by scope; one that ends out of order still unhooks itself.
  if (g_script == this) {
    g_script = previous_;
  } else {
    for (Script *s = g_script; s; s = s->previous_)
      if (s->previous_ == this) s->previous_ = previous_;
  }
  if (expectAllUsed_ && !answers_.empty())
    fail(QString("script ended with %1 unused answer(s)").arg(answers_.size()));
}

Script &Script::Button(dialogs::Answer a) {
  answers_.push_back(Item{false, a, std::nullopt});
  return *this;
}

Script &Script::Input(const QString &text) {
  answers_.push_back(Item{true, dialogs::Answer::Ok, text});
  return *this;
}

Script &Script::InputCancel() {
  answers_.push_back(Item{true, dialogs::Answer::Cancel, std::nullopt});
  return *this;
}

Script &Script::StrictOk(bool on) {
  strictOk_ = on;
  return *this;
}

Script &Script::OnForm(const QString &name, FormHandler handler) {
  forms_.push_back({name, std::move(handler)});
  return *this;
}

Script &Script::ExpectAllUsed(bool on) {
  expectAllUsed_ = on;
  return *this;
}

QStringList Script::Texts() const {
  QStringList out;
  for (const Shown &s : log_)
    if (s.kind == Kind::MessageBox) out << s.text;
  return out;
}

}  // namespace orv::dialogs
