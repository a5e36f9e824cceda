#include "platform/widget_colors.h"

#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include "platform/colors.h"

namespace orv::colors {

void SetBack(QWidget *w, long bgr) {
  QPalette p = w->palette();
  const QColor c = FromBgr(bgr);
  p.setColor(QPalette::Window, c);
  p.setColor(QPalette::Base, c);
  p.setColor(QPalette::Button, c);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

void SetFore(QWidget *w, long bgr) {
  QPalette p = w->palette();
  const QColor c = FromBgr(bgr);
  p.setColor(QPalette::WindowText, c);
  p.setColor(QPalette::Text, c);
  p.setColor(QPalette::ButtonText, c);
  w->setPalette(p);
}

namespace {
class FocusHighlight : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject *watched, QEvent *event) override {
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::FocusIn) {
      SetBack(box, kEntryFocusBack);
      box->selectAll();
    } else if (box && event->type() == QEvent::FocusOut) {
      SetBack(box, kWhite);
    }
    return false;
  }
};
}  // namespace

void HighlightOnFocus(QLineEdit *box) { box->installEventFilter(new FocusHighlight(box)); }

}  // namespace orv::colors
