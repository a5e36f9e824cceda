// The chit, goods and customer records: field lists against the tables, readers on both
// engines, clears and the customer update text.
#include <gtest/gtest.h>

#include <QSet>

#include "chit/records.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/state.h"
#include "schema/tables.h"
#include "test_support.h"

using orv::Currency;
using orv::db::DbError;
using namespace orv::chit;

namespace {

template <class R>
QSet<QString> fieldNames() {
  QSet<QString> out;
  for (const auto &f : Fields<R>()) out.insert(QString::fromLatin1(f.name).toLower());
  return out;
}

QSet<QString> tableColumns(const char *table) {
  QSet<QString> out;
  for (const auto &c : orv::schema::FindTable(table)->columns)
    out.insert(QString::fromLatin1(c.name).toLower());
  return out;
}

// Every field of two records, as stored values, with the first that differs.
template <class R>
std::string firstDifference(const R &a, const R &b) {
  for (const auto &f : Fields<R>())
    if (FieldValue(a, f) != FieldValue(b, f))
      return (QString::fromLatin1(f.name) + ": " + FieldValue(a, f).toString() + " vs " +
              FieldValue(b, f).toString())
          .toStdString();
  return {};
}

// Gives every field a distinct value: whole numbers n, money n.5 (keys and numbers, whole
// in their tables, n), texts "t<n>'x".
bool keyLike(const char *name) {
  const QString n = QString::fromLatin1(name);
  return n.endsWith("Key") || n.endsWith("No");
}

template <class R>
void fillDistinct(R &rec, int seed) {
  int n = seed;
  for (const auto &f : Fields<R>()) {
    ++n;
    std::visit(
        [&](auto m) {
          using T = std::remove_cvref_t<decltype(rec.*m)>;
          if constexpr (std::is_same_v<T, QString>)
            rec.*m = QString("t%1'x").arg(n);
          else if constexpr (std::is_same_v<T, Currency>)
            rec.*m = Currency::FromRaw(n * 10000LL + (keyLike(f.name) ? 0 : 5000));
          else
            rec.*m = T(n);
        },
        f.member);
  }
}

}  // namespace

TEST(ChitRecordFields, EachListIsExactlyItsTable) {
  EXPECT_EQ(fieldNames<PanChitRec>(), tableColumns("PanChit"));
  EXPECT_EQ(fieldNames<PanGodsLine>(), tableColumns("PanGods"));
  EXPECT_EQ(fieldNames<PanListRec>(), tableColumns("PanList"));
  EXPECT_EQ(fieldNames<PanCardSlot>(), tableColumns("PanCard"));
  EXPECT_EQ(fieldNames<DlvChitRec>(), tableColumns("DlvChit"));
  EXPECT_EQ(fieldNames<CardLogRec>(), tableColumns("CardLog"));
  EXPECT_EQ(fieldNames<CstCodeRec>(), tableColumns("CstCode"));
  // The goods record holds the columns the program uses, each a real column.
  EXPECT_TRUE(tableColumns("GdsCode").contains(fieldNames<GdsCodeRec>()));
  EXPECT_EQ(Fields<GdsCodeRec>().size(), 58u);
}

TEST(ChitRecordFields, ClearsEmptyEverythingButLineZero) {
  orv::state::ResetProgramState();
  fillDistinct(gtPanChit, 0);
  for (int n = 0; n <= kMaxChitLines; ++n) fillDistinct(gtPanGods[n], n);
  for (int n = 0; n <= kMaxCardSlots; ++n) fillDistinct(gtPanCard[n], n);
  fillDistinct(gtCstCode, 0);
  fillDistinct(gtGdsCode, 0);
  const PanGodsLine zero = gtPanGods[0];

  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanCardRecords();
  ClearCstRecord();
  ClearGdsRecord();

  EXPECT_EQ(firstDifference(gtPanChit, PanChitRec{}), "");
  EXPECT_EQ(firstDifference(gtPanGods[0], zero), "");
  for (int n = 1; n <= kMaxChitLines; ++n) EXPECT_EQ(firstDifference(gtPanGods[n], {}), "");
  for (int n = 0; n <= kMaxCardSlots; ++n) EXPECT_FALSE(gtPanCard[n].InUse());
  EXPECT_EQ(firstDifference(gtCstCode, CstCodeRec{}), "");
  EXPECT_TRUE(gtGdsCode.GcdKey.IsZero());
  EXPECT_EQ(gtGdsCode.GcdName, "");
}

TEST(ChitRecordFields, CustomerUpdateTextQuotesTheDate) {
  orv::state::ResetProgramState();
  gtCstCode.CcdKey = Currency::Won(1001);
  gtCstCode.CcdLpdate = "2024'0105";
  gtCstCode.CcdTcnt = Currency::Won(3);
  gtCstCode.CcdTzerdo = Currency::FromRaw(123456789);  // 12345.6789
  gtCstCode.CcdTjumsu = Currency::Won(40);
  gtCstCode.CcdCnt = Currency::Won(2);
  gtCstCode.CcdZerdo = Currency::Won(5000);
  gtCstCode.CcdJumsu = Currency::Won(-7);
  EXPECT_EQ(gsCstCodeUptSql(),
            "Update CstCode Set                    CcdLpdate='2024''0105', CcdTcnt=3,"
            "                   CcdTzerdo=12345.6789, CcdTjumsu=40,"
            "                   CcdCnt=2, CcdZerdo=5000,"
            "                   CcdJumsu=-7 Where CcdKey=1001");
}

class ChitRecordsDb : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    EngineTest::SetUp();
    if (IsSkipped()) return;
    goDbMain.Open(NewDatabase());
    for (const char *t : {"PanChit", "PanGods", "PanCard", "CstCode", "GdsCode", "OrvRegistry"}) {
      const auto *def = orv::schema::FindTable(t);
      const QString suffix = QString(t).startsWith("Pan") ? "2401" : "";
      orv::schema::CreateTable(goDbMain, *def, orv::schema::NamesFor(*def, "", suffix));
    }
  }
  void TearDown() override { orv::state::ResetProgramState(); }

  orv::db::Recordset one(const QString &sql) {
    orv::db::Recordset rs = goDbMain.OpenRecordset(sql);
    EXPECT_EQ(rs.RecordCount(), 1) << sql.toStdString();
    return rs;
  }
};

TEST_P(ChitRecordsDb, WhatTheInsertListsWriteTheReadersReadBack) {
  PanChitRec chit;
  fillDistinct(chit, 100);
  chit.PctSss4 = Currency::Won(40);  // money in the record, a whole number in the table
  chit.PctCardNo = "  4512 ";         // read back trimmed
  goDbMain.Execute("Insert Into PanChit2401(" + ColumnList(Fields<PanChitRec>()) + ") Values(" +
                   ValueList(chit, Fields<PanChitRec>()) + ")");

  // Lines go in prepared and bound, as the chit store writes them.
  orv::db::Statement ins = goDbMain.Prepare("Insert Into PanGods2401(" +
                                            ColumnList(Fields<PanGodsLine>()) + ") Values(" +
                                            Placeholders(Fields<PanGodsLine>()) + ")");
  PanGodsLine line;
  fillDistinct(line, 200);
  line.PcgTax = Currency::Won(1);
  line.PcgMoneyGum = Currency::Won(700);
  line.PcgCardGum = Currency::Won(300);
  for (int seq : {1, 2}) {
    line.PcgSeqNo = seq;
    BindFields(ins, line, Fields<PanGodsLine>());
    ins.Execute();
  }

  ReadPanChitRecord(one("Select * From PanChit2401"));
  chit.PctCardNo = "4512";
  EXPECT_EQ(firstDifference(gtPanChit, chit), "");

  orv::db::Recordset rs = goDbMain.OpenRecordset("Select * From PanGods2401 Order By PcgSeqNo");
  ASSERT_EQ(rs.RecordCount(), 2);
  ReadPanGodsRecord(rs, 0);  // element 0 is a line like any other for a reader
  rs.MoveNext();
  ReadPanGodsRecord(rs, 150);
  EXPECT_EQ(gtPanGods[150].PcgMoneyGum, Currency::Won(700));
  EXPECT_EQ(gtPanGods[150].PcgCardGum, Currency::Won(300));
  EXPECT_EQ(gtPanGods[0].PcgSeqNo, 1);
  line.PcgSeqNo = 2;
  EXPECT_EQ(firstDifference(gtPanGods[150], line), "");
  EXPECT_THROW(ReadPanGodsRecord(rs, 151), DbError);
  EXPECT_THROW(ReadPanCardRecord(rs, 0), DbError);  // no Pcd columns in this row
}

TEST_P(ChitRecordsDb, NullColumnsReadAsZeroAndEmpty) {
  fillDistinct(gtPanChit, 0);
  goDbMain.Execute(
      "Insert Into PanChit2401(PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey) "
      "Values(2024, 1, 5, '20240105', 7, 1, 3)");
  ReadPanChitRecord(one("Select * From PanChit2401"));
  EXPECT_EQ(gtPanChit.PctChtNo, 7);
  EXPECT_TRUE(gtPanChit.PctHab.IsZero());
  EXPECT_TRUE(gtPanChit.PctSss4.IsZero());
  EXPECT_EQ(gtPanChit.PctCmitNo, "");
  EXPECT_EQ(gtPanChit.PctSss5, 0);
}

TEST_P(ChitRecordsDb, AWholeNumberTooWideForItsFieldIsAnError) {
  goDbMain.Execute(
      "Insert Into PanChit2401(PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, "
      "PctGaSel) Values(2025, 1, 5, '20240105', 7, 1, 3, 40000)");
  EXPECT_THROW(ReadPanChitRecord(one("Select * From PanChit2401")), DbError);
  EXPECT_EQ(gtPanChit.PctYear, 2025);  // read before the failing field
  EXPECT_EQ(gtPanChit.PctHalSel, 0);   // after it: untouched
}

TEST_P(ChitRecordsDb, GoodsBonusPointsCountOnlyWhenTheShopSaysSo) {
  goDbMain.Execute(
      "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdBarcode, GcdMech, GcdSss5) "
      "Values(11, 1001, ' 라면 ', '8801234567893', 1200, 5)");
  ReadGdsRecord(one("Select * From GdsCode"));
  EXPECT_EQ(gtGdsCode.GcdName, "라면");
  EXPECT_EQ(gtGdsCode.GcdMech, Currency::Won(1200));
  EXPECT_EQ(gtGdsCode.GcdSss5, 0);
  EXPECT_EQ(gtGdsCode.GcdStdate, "");

  SetRegistry("PosGdsBnsPoint", 1);
  ReadGdsRecord(one("Select * From GdsCode"));
  EXPECT_EQ(gtGdsCode.GcdSss5, 5);
}

TEST_P(ChitRecordsDb, CustomerTotalsUpdateRunsWithAQuoteInTheDate) {
  CstCodeRec c;
  fillDistinct(c, 0);
  c.CcdKey = Currency::Won(1001);
  c.CcdTcnt = Currency::Won(1);
  c.CcdCnt = Currency::Won(1);
  c.CcdSss2 = 70000;  // 32-bit, unlike the other spare columns
  goDbMain.Execute("Insert Into CstCode(" + ColumnList(Fields<CstCodeRec>()) + ") Values(" +
                   ValueList(c, Fields<CstCodeRec>()) + ")");
  ReadCstRecord(one("Select * From CstCode"));
  EXPECT_EQ(firstDifference(gtCstCode, c), "");

  gtCstCode.CcdLpdate = "2024'01";
  gtCstCode.CcdTcnt = Currency::Won(2);
  gtCstCode.CcdZerdo = Currency::Won(15000);
  EXPECT_EQ(goDbMain.Execute(gsCstCodeUptSql()), 1);
  ReadCstRecord(one("Select * From CstCode Where CcdKey=1001"));
  EXPECT_EQ(gtCstCode.CcdLpdate, "2024'01");
  EXPECT_EQ(gtCstCode.CcdTcnt, Currency::Won(2));
  EXPECT_EQ(gtCstCode.CcdZerdo, Currency::Won(15000));
}

INSTANTIATE_TEST_SUITE_P(Engines, ChitRecordsDb, ORV_BOTH_ENGINES);
