#include "platform/widget_colors.h"

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

}  // namespace orv::colors
