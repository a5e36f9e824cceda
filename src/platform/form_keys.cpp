#include "platform/form_keys.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>

#include "platform/keys.h"

namespace orv::formkeys {
namespace {

bool IsEnter(const QKeyEvent *e) {
  return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
         !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
}

// The toolkit's own boxes answer Enter with their default button, as users expect of them.
bool IsToolkitBox(const QWidget *window) {
  return qobject_cast<const QMessageBox *>(window) || qobject_cast<const QInputDialog *>(window) ||
         window->findChild<QDialogButtonBox *>() != nullptr;
}

class ButtonEnterFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Show) {
      // Dialogs make their buttons auto-default, so Enter in a text box would press one.
      if (auto *dlg = qobject_cast<QDialog *>(watched); dlg && !IsToolkitBox(dlg))
        for (QPushButton *b : dlg->findChildren<QPushButton *>()) b->setAutoDefault(false);
      return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto *w = qobject_cast<QWidget *>(watched);
    // Only once the key went unhandled all the way up to the window.
    if (!w || !w->isWindow() || !IsEnter(static_cast<QKeyEvent *>(event))) return false;
    if (IsToolkitBox(w)) return false;
    auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget());
    if (button && button->window() == w && button->isEnabled() && button->isVisible()) {
      button->click();
      return true;
    }
    // Nobody took Enter in a text box: a dialog must not turn it into its default button.
    return qobject_cast<QDialog *>(w) != nullptr;
  }
};

}  // namespace

void InstallButtonEnter(QApplication &app) {
  static ButtonEnterFilter *filter = nullptr;
  if (filter) return;
  filter = new ButtonEnterFilter(&app);
  app.installEventFilter(filter);
}

namespace {

QString g_missingCatalogue;

class KeyPreviewFilter : public QObject {
 public:
  KeyPreviewFilter(QWidget *form, KeyPreview handlers)
      : QObject(form), form_(form), h_(std::move(handlers)) {}

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    if (replaying_) return false;
    auto *w = qobject_cast<QWidget *>(watched);
    // The first delivery goes to the focus widget; its parents see the same key later.
    QWidget *focus = QApplication::focusWidget();
    if (!w || w->window() != form_ || (focus ? w != focus : w != form_)) return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    const int shift = keys::ToShift(ke->modifiers());
    int vk = keys::ToVirtualKey(ke);
    QPointer<QWidget> target(w);
    if (type == QEvent::KeyRelease) {
      if (!h_.keyUp || vk == 0) return false;
      h_.keyUp(vk, shift);
      return vk == 0 || !target;
    }
    if (h_.keyDown && vk != 0) {
      h_.keyDown(vk, shift);
      if (vk == 0 || !target) return true;
    }
    const QString text = ke->text();
    if (!h_.keyPress || text.size() != 1) return false;
    int ascii = text[0].unicode();
    const int typed = ascii;
    h_.keyPress(ascii);
    if (ascii == 0 || !target) return true;
    if (ascii == typed) return false;
    // Another character: the control gets that one in place of the key.
    QKeyEvent replaced(QEvent::KeyPress, Qt::Key_unknown, ke->modifiers(), QString(QChar(ascii)));
    replaying_ = true;
    QApplication::sendEvent(target, &replaced);
    replaying_ = false;
    return true;
  }

 private:
  QWidget *form_;
  KeyPreview h_;
  bool replaying_ = false;
};

}  // namespace

void InstallKeyPreview(QWidget *form, KeyPreview handlers) {
  qApp->installEventFilter(new KeyPreviewFilter(form, std::move(handlers)));
}

bool LoadKoreanCatalogue(QApplication &app, QString *missingPath) {
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto *tr = new QTranslator(&app);
  if (!tr->load(QLocale(QLocale::Korean, QLocale::SouthKorea), "qtbase", "_", dir)) {
    delete tr;
    g_missingCatalogue = dir + "/qtbase_ko.qm";
    if (missingPath) *missingPath = g_missingCatalogue;
    return false;
  }
  g_missingCatalogue.clear();
  app.installTranslator(tr);
  return true;
}

QString MissingKoreanCatalogue() { return g_missingCatalogue; }

}  // namespace orv::formkeys
