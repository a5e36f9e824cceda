#include <gtest/gtest.h>

#include <set>

#include "core/values.h"
#include "settings/card_com_table.h"
#include "settings_fixture.h"

using namespace orv;
using orvtest::SettingsDbTest;

namespace {

TEST(CardComList, SixListsOf172RowsWithAscendingUniqueCodes) {
  const struct {
    int16_t van;
    size_t rows;
  } lists[] = {{1, 14}, {2, 50}, {4, 24}, {5, 41}, {9, 23}, {10, 20}};
  size_t total = 0;
  for (const auto &l : lists) {
    const auto list = settings::CardComList(l.van);
    EXPECT_EQ(list.size(), l.rows) << "network " << l.van;
    for (size_t i = 1; i < list.size(); ++i)
      EXPECT_LT(list[i - 1].code, list[i].code) << "network " << l.van << " row " << i;
    total += list.size();
  }
  EXPECT_EQ(total, 172u);
  for (int16_t none : {0, 3, 6, 7, 8, 11, -1}) EXPECT_TRUE(settings::CardComList(none).empty());
  // The same code names other companies on other networks.
  EXPECT_STREQ(settings::CardComList(4)[0].name, "비씨");
  EXPECT_STREQ(settings::CardComList(2)[2].name, "국민은행");
}

TEST(CardComList, FirstKeyIsYymmddhhnn) {
  EXPECT_EQ(settings::FirstCardComKey(QDateTime(QDate(2024, 1, 30), QTime(15, 30, 59))),
            2401301530);
  EXPECT_EQ(settings::FirstCardComKey(QDateTime(QDate(2009, 3, 4), QTime(5, 6))), 903040506);
}

using CardComTable = SettingsDbTest;

TEST_P(CardComTable, RebuildReplacesKind401AndLeavesOtherKinds) {
  db_.Execute("Insert Into ExtCode(EcdIO, EcdKey, EcdNo, EcdName) Values(401, 1, 77, 'old')");
  db_.Execute("Insert Into ExtCode(EcdIO, EcdKey, EcdNo, EcdName) Values(402, 1, 77, 'other')");
  EXPECT_EQ(settings::MakeCardComTable(db_, 10, 2401301530), 20);
  auto rs = db_.OpenRecordset(
      "Select EcdKey, EcdNo, EcdName, EcdJata, EcdWrtdate, EcdWrtTime From ExtCode"
      " Where EcdIO=401 Order By EcdKey");
  ASSERT_EQ(rs.RecordCount(), 20);
  rs.MoveFirst();
  EXPECT_EQ(NzCur(rs.Field("EcdKey")).RoundToInt(), 2401301530);
  EXPECT_EQ(NzCur(rs.Field("EcdNo")).RoundToInt(), 1);
  EXPECT_EQ(NzStr(rs.Field("EcdName")), "비씨카드");
  EXPECT_EQ(NzCur(rs.Field("EcdJata")).RoundToInt(), 0);
  EXPECT_EQ(NzStr(rs.Field("EcdWrtdate")), "20240130");
  EXPECT_EQ(NzStr(rs.Field("EcdWrtTime")), "153005");
  rs.Move(5);
  EXPECT_EQ(NzStr(rs.Field("EcdName")), "해외카드(비자,마스터)");
  rs.MoveLast();
  EXPECT_EQ(NzCur(rs.Field("EcdKey")).RoundToInt(), 2401301549);
  EXPECT_EQ(Count("Select * From ExtCode Where EcdIO=402"), 1);
  // Within the same minute the same keys again: the delete goes first.
  EXPECT_EQ(settings::MakeCardComTable(db_, 2, 2401301530), 50);
  EXPECT_EQ(Count("Select * From ExtCode Where EcdIO=401"), 50);
}

TEST_P(CardComTable, NetworkWithoutListExecutesNothing) {
  db_.Execute("Insert Into ExtCode(EcdIO, EcdKey, EcdNo, EcdName) Values(401, 1, 77, 'old')");
  for (int16_t van : {0, 3, 6, 7, 8}) EXPECT_EQ(settings::MakeCardComTable(db_, van, 1), 0);
  EXPECT_EQ(Count("Select * From ExtCode Where EcdIO=401"), 1);
}

TEST_P(CardComTable, FailingFifthInsertLeavesTheOldRows) {
  db_.Execute("Drop Table ExtCode");
  // KICC's fifth company is code 18.
  db_.Execute(
      "Create Table ExtCode(EcdIO integer not null, EcdKey decimal(10,0) not null,"
      " EcdNo decimal(10,0) check (EcdNo <> 18), EcdName text, EcdJata integer,"
      " EcdWrtdate text, EcdWrtTime text, primary key (EcdIO, EcdKey))");
  db_.Execute("Insert Into ExtCode(EcdIO, EcdKey, EcdNo, EcdName) Values(401, 1, 77, 'old')");
  EXPECT_THROW(settings::MakeCardComTable(db_, 1, 2401301530), db::DbError);
  EXPECT_EQ(db_.TransLevel(), 0);
  auto rs = db_.OpenRecordset("Select EcdName From ExtCode Where EcdIO=401");
  ASSERT_EQ(rs.RecordCount(), 1);
  rs.MoveFirst();
  EXPECT_EQ(NzStr(rs.Field("EcdName")), "old");
}

TEST_P(CardComTable, FreeKeyStartsAboveRowsOfAnyKind) {
  const QDateTime now(QDate(2024, 1, 30), QTime(15, 30));
  EXPECT_EQ(settings::FreeCardComKey(db_, now), 2401301530);
  settings::MakeCardComTable(db_, 1, settings::FreeCardComKey(db_, now));
  // The first rebuild's 14 rows are still there when the second one probes.
  EXPECT_EQ(settings::FreeCardComKey(db_, now), 2401301544);
  db_.Execute("Insert Into ExtCode(EcdIO, EcdKey, EcdNo, EcdName) Values(9, 2401301544, 1, 'x')");
  EXPECT_EQ(settings::FreeCardComKey(db_, now), 2401301545);
}

INSTANTIATE_TEST_SUITE_P(Engines, CardComTable, ORV_BOTH_ENGINES);

}  // namespace
