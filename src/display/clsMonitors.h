#pragma once
// The monitors of the desktop, found in a fixed order: a scan of the desktop in cells of
// 640 × 480 pixels, rows from the top down and left to right within a row, each monitor
// taken where a cell's centre first falls on it. The sale screen places the customer
// display on the second monitor so found. Coordinates are pixels of the virtual desktop.
#include <QList>
#include <QRect>
#include <QVector>
#include <cstdint>

class QScreen;
class QWidget;

namespace orv::display {

struct clsMonitor {
  int32_t Handle = 0, Height = 0, Width = 0, Left = 0, Right = 0, Top = 0, Bottom = 0;
  int32_t WorkLeft = 0, WorkRight = 0, WorkTop = 0, WorkBottom = 0;
};

// Indexes of the rectangles in the order the scan first meets them; a rectangle that no
// cell centre falls on is missed.
QVector<int> MonitorScanOrder(const QVector<QRect> &monitors);
// The bounding rectangle of all of them.
QRect DesktopBounds(const QVector<QRect> &monitors);

// The monitor for the customer display: the second one found; when that is the primary
// (a monitor left of it), the first that is not, so the cashier's screen stays free. -1
// with fewer than two monitors.
int CustomerMonitorIndex(const QList<clsMonitor> &monitors, int32_t primaryHandle);

class clsMonitors {
 public:
  enum : int { MONITOR_DEFAULTTONULL = 0, MONITOR_DEFAULTTOPRIMARY = 1 };

  clsMonitors();  // refreshes at once

  QList<clsMonitor> Monitors;
  int32_t DesktopLeft() const;
  int32_t DesktopTop() const;
  int32_t DesktopWidth() const;
  int32_t DesktopHeight() const;

  // The monitor handle of the window's screen, or of the point; 0 for none (unless the
  // flag falls back to the primary).
  int32_t GetMonitorFromWindow(const QWidget *window, int flags) const;
  int32_t GetMonitorFromXYPoint(int x, int y, int flags) const;
  // Centres the form on the reference form's monitor (else the one holding the desktop's
  // point (1, 1)): the work area's size from the monitor's top-left corner. Always false.
  bool CenterFormOnMonitor(QWidget *form, const QWidget *reference = nullptr) const;
  void Refresh();

  int32_t PrimaryHandle() const;
  // The screen behind a handle; null when it has gone.
  QScreen *ScreenOf(int32_t handle) const;

 private:
  QList<QScreen *> screens_;  // by handle - 1
};

}  // namespace orv::display
