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
class FocusTint : public QObject {
 public:
  FocusTint(QWidget *box, long bgr, bool selectAll, std::function<void()> onLeave)
      : QObject(box), bgr_(bgr), selectAll_(selectAll), onLeave_(std::move(onLeave)) {}
  bool eventFilter(QObject *watched, QEvent *event) override {
    auto *box = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::FocusIn) {
      SetBack(box, bgr_);
      if (auto *edit = qobject_cast<QLineEdit *>(box); edit && selectAll_) edit->selectAll();
    } else if (event->type() == QEvent::FocusOut) {
      SetBack(box, kWhite);
      if (onLeave_) onLeave_();
    }
    return false;
  }
  void DropLeave() { onLeave_ = nullptr; }

 private:
  long bgr_;
  bool selectAll_;
  std::function<void()> onLeave_;
};
}  // namespace

void HighlightOnFocus(QLineEdit *box) {
  box->installEventFilter(new FocusTint(box, kEntryFocusBack, true, {}));
}

void TintOnFocus(QWidget *box, long focusBgr, std::function<void()> onLeave) {
  box->installEventFilter(new FocusTint(box, focusBgr, false, std::move(onLeave)));
}

void DropLeaveCallbacks(QWidget &form) {
  for (QObject *child : form.findChildren<QObject *>())
    if (auto *tint = dynamic_cast<FocusTint *>(child)) tint->DropLeave();
}

}  // namespace orv::colors
