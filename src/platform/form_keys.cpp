#include "platform/form_keys.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

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
