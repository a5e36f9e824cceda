#pragma once
// Keys for the sale screen as the cashier presses them, for the demo walks.
#include <QApplication>
#include <QTest>

#include "platform/grid.h"
#include "sale/frmMain.h"

namespace orvtest {

// Keys go where the focus is; a closed modal form may leave the window without one, and
// the cashier would click back into it.
inline QWidget *SaleFocus(frmMain *m) {
  if (!QApplication::focusWidget()) {
    QApplication::setActiveWindow(m);
    m->vaSpread1->setFocus();
  }
  return QApplication::focusWidget();
}
inline void SalePress(frmMain *m, Qt::Key key) {
  QTest::keyClick(SaleFocus(m), key);
  QApplication::processEvents();
}
inline void SaleType(frmMain *m, const QString &s) {
  for (QChar ch : s) QTest::keyClick(SaleFocus(m), ch.toLatin1());
}
inline void SaleEnter(frmMain *m, const QString &code) {
  SaleType(m, code);
  SalePress(m, Qt::Key_Return);
}

}  // namespace orvtest
