#include <gtest/gtest.h>

#include <QDateTime>
#include <optional>

#include "core/web_clock.h"
#include "platform/clock.h"

namespace {

// Catches what would have gone to the machine's clock; the program's clock stands at
// 2023-05-06 07:08:09.
class WebClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::clock::SetFixed(QDateTime(QDate(2023, 5, 6), QTime(7, 8, 9)));
    orv::clock::SetMachineClockHook([this](const QDateTime &dt) {
      sets.append(dt);
      return true;
    });
  }
  void TearDown() override {
    orv::clock::SetMachineClockHook({});
    orv::clock::Reset();
  }
  QList<QDateTime> sets;
};

}  // namespace

TEST(DatePageReply, ReadsTheNumbersByPosition) {
  struct Case {
    const char *reply;
    std::optional<WebDateTime> want;
  };
  const Case cases[] = {
      {"<html>~> Date:2024-01-30 09:05:07</html>", WebDateTime{2024, 1, 30, 9, 5, 7}},
      {"x~> Date:2024/01/30T09:05:07", WebDateTime{2024, 1, 30, 9, 5, 7}},
      // Only the first marker counts.
      {"a ~> Date:2024-01-30 09:05:07 ~> Date:2025-02-01 01:01:01",
       WebDateTime{2024, 1, 30, 9, 5, 7}},
      // Out of range values are read; the setters judge them.
      {"a~> Date:2011-12-31 24:60:99", WebDateTime{2011, 12, 31, 24, 60, 99}},
      // A line break before the marker moves it off the first character.
      {"\n~> Date:2024-01-30 09:05:07", WebDateTime{2024, 1, 30, 9, 5, 7}},
      {"~> Date:2024-01-30 09:05:07", std::nullopt},      // marker at the first character
      {"\r~> Date:2024-01-30 09:05:07", std::nullopt},    // CR removed: first again
      {"a ~>Date:2024-01-30 09:05:07", std::nullopt},     // no marker
      {"a ~> date:2024-01-30 09:05:07", std::nullopt},    // marker is case-sensitive
      {"a ~> Date:2024-01-30 09:05", std::nullopt},       // cut short
      {"a ~> Date:2024-0a-30 09:05:07", std::nullopt},    // not digits
      {"a ~> Date: 2024-01-30 09:05:0", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case &c : cases) {
    const auto got = ParseDatePageReply(QString::fromLatin1(c.reply));
    ASSERT_EQ(got.has_value(), c.want.has_value()) << c.reply;
    if (!got) continue;
    EXPECT_EQ(got->year, c.want->year) << c.reply;
    EXPECT_EQ(got->month, c.want->month) << c.reply;
    EXPECT_EQ(got->day, c.want->day) << c.reply;
    EXPECT_EQ(got->hour, c.want->hour) << c.reply;
    EXPECT_EQ(got->minute, c.want->minute) << c.reply;
    EXPECT_EQ(got->second, c.want->second) << c.reply;
  }
}

TEST_F(WebClockTest, DateIsSetOnlyInRangeAndKeepsTheTime) {
  struct Case {
    int y, m, d;
    bool set;
  };
  const Case cases[] = {
      {2024, 1, 30, true},  {2012, 1, 1, true},   {2099, 12, 31, true}, {2011, 12, 31, false},
      {2100, 1, 1, false},  {2024, 0, 1, false},  {2024, 13, 1, false}, {2024, 1, 0, false},
      {2024, 1, 32, false}, {2024, -1, 1, false}, {2024, 1, -5, false}, {2024, 2, 31, false},
      {2023, 2, 29, false}, {2024, 2, 29, true},
  };
  for (const Case &c : cases) {
    sets.clear();
    SetPcDate(int16_t(c.y), int16_t(c.m), int16_t(c.d));
    ASSERT_EQ(sets.size(), c.set ? 1 : 0) << c.y << "-" << c.m << "-" << c.d;
    if (!c.set) continue;
    EXPECT_EQ(sets[0].date(), QDate(c.y, c.m, c.d));
    EXPECT_EQ(sets[0].time().hour(), 7);
    EXPECT_EQ(sets[0].time().minute(), 8);
  }
}

TEST_F(WebClockTest, TimeIsSetOnlyInRangeAndKeepsTheDate) {
  struct Case {
    int h, mi, s;
    bool set;
  };
  const Case cases[] = {
      {0, 0, 0, true},     {23, 59, 59, true},  {9, 5, 7, true},    {24, 0, 0, false},
      {-1, 0, 0, false},   {12, 60, 0, false},  {12, 0, 60, false}, {12, -1, 0, false},
      {12, 0, -1, false},
  };
  for (const Case &c : cases) {
    sets.clear();
    SetPcTime(int16_t(c.h), int16_t(c.mi), int16_t(c.s));
    ASSERT_EQ(sets.size(), c.set ? 1 : 0) << c.h << ":" << c.mi << ":" << c.s;
    if (!c.set) continue;
    EXPECT_EQ(sets[0], QDateTime(QDate(2023, 5, 6), QTime(c.h, c.mi, c.s)));
  }
}

TEST(MachineClock, NotChangedUnlessTheProgramAllowsIt) {
  // No hook and not allowed: refused without touching the machine.
  EXPECT_FALSE(orv::clock::SetMachineDateTime(QDateTime(QDate(2030, 1, 1), QTime(1, 2, 3))));
}
