#include <gtest/gtest.h>

#include "platform/clock.h"
#include "sync/now_time.h"

TEST(NowTime, HourZeroIsStoredAs24) {
  const std::tuple<QTime, int, int> cases[] = {
      {QTime(0, 7, 0), 24, 7}, {QTime(14, 35, 59), 14, 35}, {QTime(23, 59, 0), 23, 59}};
  for (auto [t, h, m] : cases) {
    orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), t));
    SplitNowTime();
    EXPECT_EQ(giNowHour, h);
    EXPECT_EQ(giNowMin, m);
  }
  orv::clock::Reset();
}
