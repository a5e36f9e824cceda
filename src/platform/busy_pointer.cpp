#include "platform/busy_pointer.h"

#include <QApplication>

namespace orv {
BusyPointer::BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyPointer::~BusyPointer() { QApplication::restoreOverrideCursor(); }
}  // namespace orv
