// The order in which monitors are found, and the monitor the customer display takes.
#include <gtest/gtest.h>

#include "display/clsMonitors.h"

using orv::display::clsMonitor;
using orv::display::CustomerMonitorIndex;
using orv::display::MonitorScanOrder;

TEST(Monitors, ScanMeetsMonitorsRowByRowLeftToRight) {
  struct Case {
    const char *what;
    QVector<QRect> monitors;
    QVector<int> order;
  } cases[] = {
      {"one monitor at the origin", {QRect(0, 0, 1920, 1080)}, {0}},
      {"the second right of the primary", {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)},
       {0, 1}},
      {"the second left of the primary: met first",
       {QRect(0, 0, 1920, 1080), QRect(-1920, 0, 1920, 1080)}, {1, 0}},
      {"the second below the primary",
       {QRect(0, 0, 1920, 1080), QRect(0, 1080, 1920, 1080)}, {0, 1}},
      {"a small monitor no cell centre falls on is missed",
       {QRect(0, 0, 1920, 1080), QRect(1920, 600, 300, 200)}, {0}},
      {"no monitor", {}, {}},
  };
  for (const Case &c : cases) EXPECT_EQ(MonitorScanOrder(c.monitors), c.order) << c.what;
}

TEST(Monitors, CustomerDisplayNeverTakesThePrimary) {
  auto m = [](std::initializer_list<int> handles) {
    QList<clsMonitor> l;
    for (int h : handles) l.append(clsMonitor{h});
    return l;
  };
  EXPECT_EQ(CustomerMonitorIndex(m({1}), 1), -1);         // one monitor: not shown
  EXPECT_EQ(CustomerMonitorIndex(m({1, 2}), 1), 1);       // the second found
  EXPECT_EQ(CustomerMonitorIndex(m({2, 1}), 1), 0);       // left of the primary
  EXPECT_EQ(CustomerMonitorIndex(m({2, 3, 1}), 1), 1);    // primary third
  EXPECT_EQ(CustomerMonitorIndex(m({2, 1, 3}), 1), 0);
}
