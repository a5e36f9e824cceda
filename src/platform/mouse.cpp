#include "platform/mouse.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace orv::mouse {

void MouseLeftClick(QWidget &window) {
  const QPoint global = QCursor::pos();
  QPointer<QWidget> target = QApplication::widgetAt(global);
  if (!target || (target != &window && !window.isAncestorOf(target))) return;
  const QPointF local = target->mapFromGlobal(QPointF(global));
  QMouseEvent press(QEvent::MouseButtonPress, local, QPointF(global), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  if (!target) return;  // the press closed it
  QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(global), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

}  // namespace orv::mouse
