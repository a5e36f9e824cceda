#pragma once
// The hourglass while a piece of work runs; the pointer comes back on every way out.
#include <QApplication>

namespace orv {

struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;
};

}  // namespace orv
