#include "display/clsMonitors.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace orv::display {

QRect DesktopBounds(const QVector<QRect> &monitors) {
  QRect all;
  for (const QRect &r : monitors) all = all.united(r);
  return all;
}

QVector<int> MonitorScanOrder(const QVector<QRect> &monitors) {
  QVector<int> order;
  const QRect d = DesktopBounds(monitors);
  // The loops run up to and including the desktop's width and height as bounds, as the
  // monitors were always found.
  for (int y = d.top(); y <= d.height(); y += 480) {
    for (int x = d.left(); x <= d.width(); x += 640) {
      const QPoint centre(x + 320, y + 240);
      for (int i = 0; i < monitors.size(); ++i) {
        if (monitors[i].contains(centre)) {
          if (!order.contains(i)) order.append(i);
          break;
        }
      }
    }
  }
  return order;
}

namespace {

QVector<QRect> Rects(const QList<QScreen *> &screens) {
  QVector<QRect> r;
  for (QScreen *s : screens) r.append(s->geometry());
  return r;
}

}  // namespace

int CustomerMonitorIndex(const QList<clsMonitor> &monitors, int32_t primaryHandle) {
  if (monitors.size() < 2) return -1;
  if (monitors[1].Handle != primaryHandle) return 1;
  for (int i = 0; i < monitors.size(); ++i)
    if (monitors[i].Handle != primaryHandle) return i;
  return -1;
}

clsMonitors::clsMonitors() { Refresh(); }

int32_t clsMonitors::PrimaryHandle() const {
  const int i = int(screens_.indexOf(QGuiApplication::primaryScreen()));
  return i < 0 ? 0 : i + 1;
}

void clsMonitors::Refresh() {
  Monitors.clear();
  screens_ = QGuiApplication::screens();
  if (screens_.isEmpty()) {
    // No screen known: one monitor under handle 0 the size of nothing.
    Monitors.append(clsMonitor{});
    return;
  }
  for (int i : MonitorScanOrder(Rects(screens_))) {
    QScreen *s = screens_[i];
    const QRect g = s->geometry(), w = s->availableGeometry();
    clsMonitor m;
    m.Handle = i + 1;
    m.Left = g.left();
    m.Top = g.top();
    m.Right = g.left() + g.width();
    m.Bottom = g.top() + g.height();
    m.WorkLeft = w.left();
    m.WorkTop = w.top();
    m.WorkRight = w.left() + w.width();
    m.WorkBottom = w.top() + w.height();
    m.Width = m.Right - m.Left;
    m.Height = m.Bottom - m.Top;
    Monitors.append(m);
  }
}

int32_t clsMonitors::DesktopLeft() const { return DesktopBounds(Rects(screens_)).left(); }
int32_t clsMonitors::DesktopTop() const { return DesktopBounds(Rects(screens_)).top(); }
int32_t clsMonitors::DesktopWidth() const { return DesktopBounds(Rects(screens_)).width(); }
int32_t clsMonitors::DesktopHeight() const { return DesktopBounds(Rects(screens_)).height(); }

QScreen *clsMonitors::ScreenOf(int32_t handle) const {
  if (handle < 1 || handle > screens_.size()) return nullptr;
  QScreen *s = screens_[handle - 1];
  return QGuiApplication::screens().contains(s) ? s : nullptr;
}

int32_t clsMonitors::GetMonitorFromXYPoint(int x, int y, int flags) const {
  for (int i = 0; i < screens_.size(); ++i)
    if (screens_[i]->geometry().contains(QPoint(x, y))) return i + 1;
  return flags == MONITOR_DEFAULTTOPRIMARY ? PrimaryHandle() : 0;
}

int32_t clsMonitors::GetMonitorFromWindow(const QWidget *window, int flags) const {
  if (!window) return 0;
  const QPoint c = window->frameGeometry().center();
  return GetMonitorFromXYPoint(c.x(), c.y(), flags);
}

bool clsMonitors::CenterFormOnMonitor(QWidget *form, const QWidget *reference) const {
  if (!form) return false;
  const int32_t h = reference ? GetMonitorFromWindow(reference, MONITOR_DEFAULTTOPRIMARY)
                              : GetMonitorFromXYPoint(1, 1, MONITOR_DEFAULTTOPRIMARY);
  if (QScreen *s = ScreenOf(h)) {
    const QRect g = s->geometry(), w = s->availableGeometry();
    form->move(g.left() + (w.width() - form->width()) / 2,
               g.top() + (w.height() - form->height()) / 2);
  } else if (QScreen *p = QGuiApplication::primaryScreen()) {
    const QRect g = p->geometry();
    form->move((g.width() - form->width()) / 2, (g.height() - form->height()) / 2);
  }
  return false;
}

}  // namespace orv::display
