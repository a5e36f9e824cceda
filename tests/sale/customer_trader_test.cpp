// The customer search, customer barcodes, the partner's prices and receivable and the
// per-checkout key rows, on both engines.
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>

#include "core/pos_settings.h"
#include "lookup/help_globals.h"
#include "platform/dialogs.h"
#include "sale/cst_barcode.h"
#include "sale/key_rows.h"
#include "sale_sql_fixture.h"
#include "schema/month_tables.h"

using orv::Currency;
using orv::dialogs::Script;

namespace {

Currency W(int v) { return Currency::Won(v); }

class CustomerSql : public saletest::SaleSqlTest {};

TEST_P(CustomerSql, SearchIsTestedWhereTheShopKeepsItsCustomers) {
  main_->FindCstSql("1002");
  EXPECT_FALSE(gsCstFindSql.isEmpty());
  EXPECT_EQ(goDbMain.OpenRecordset("Select * From CstCode").RecordCount(), 2);
  main_->FindCstSql("/5678");  // anywhere in the phone, dashes left out
  EXPECT_FALSE(gsCstFindSql.isEmpty());
  EXPECT_FALSE(gvCstFindArgs.isEmpty());
  main_->FindCstSql("9999");
  EXPECT_TRUE(gsCstFindSql.isEmpty());
  gsCstFindSql = "kept";
  main_->FindCstSql("/ ");  // nothing to look for: left as it was
  EXPECT_EQ(gsCstFindSql, "kept");

  // The point server's copy on the POS connection.
  giCstTsMode = 1;
  main_->FindCstSql("7001");
  EXPECT_TRUE(gsCstFindSql.contains("CstCodeTs")) << gsCstFindSql.toStdString();
  main_->FindCstSql("1002");
  EXPECT_TRUE(gsCstFindSql.isEmpty());
}

TEST_P(CustomerSql, BarcodeComesFromTheTableOfTheMode) {
  goDbTs.Open(goDbMain.Text());
  const struct {
    int16_t mode;
    int key;
    const char *barcode;
  } cases[] = {{0, 1, "2900000010019"}, {0, 7, ""}, {1, 7, "2900000070013"},
               {1, 1, ""},              {2, 2, "2900000010019"}, {2, 3, ""}};
  for (const auto &c : cases) {
    giCstTsMode = c.mode;
    EXPECT_EQ(GetCstBarcode(W(c.key)), c.barcode) << c.mode << "/" << c.key;
  }
}

TEST_P(CustomerSql, PartnerPriceIsInsertedOnceThenOnlyItsPriceChanges) {
  gcTcdKey = W(502);
  main_->WriteTrsPris(W(1), W(3700));  // the row there
  main_->WriteTrsPris(W(2), W(3300));  // a new row
  main_->WriteTrsPris(W(2), W(3200));
  auto rs = goDbMain.OpenRecordset(
      "Select TpsGdsKey, TpsMech1, TpsWrtdate, TpsWrttime From TrsPris Order By TpsGdsKey");
  ASSERT_EQ(rs.RecordCount(), 2);
  rs.MoveFirst();
  EXPECT_EQ(NzCur(rs.Field("TpsMech1")), W(3700));
  EXPECT_EQ(NzStr(rs.Field("TpsWrtdate")), "20240102");
  rs.MoveNext();
  EXPECT_EQ(NzCur(rs.Field("TpsMech1")), W(3200));
  EXPECT_EQ(NzStr(rs.Field("TpsWrtdate")).size(), 8);
  EXPECT_EQ(NzStr(rs.Field("TpsWrttime")).size(), 6);

  goDbMain.Execute("Drop Table TrsPris");
  Script s;
  main_->WriteTrsPris(W(3), W(100));
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts()[0].startsWith("[WriteTrsPris:")) << s.Texts()[0].toStdString();
}

TEST_P(CustomerSql, ReceivableIsLedgerPlusSentCreditLessCollections) {
  orv::clock::SetFixed(QDateTime(QDate(2024, 1, 31), QTime(12, 0)));
  main_->SetWorkDateToday();
  CreateTrsMastTable("", 2401);
  CreatePanChitTable("", 2401, 0);
  gcTcdKey = W(502);
  main_->ReadTrsMisu();
  EXPECT_EQ(main_->lblTrsMisu->text(), "0");  // nothing in the month

  const char *rows[] = {
      "Insert Into TrsMast2401(TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, TmsMcMisu, TmsMiMiji) "
      "Values(2024, 1, 502, 5, '20240105', 50000, 10000)",
      "Insert Into TrsMast2401(TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, TmsMcMisu) "
      "Values(2024, 1, 502, 6, '20240106', 5000)",
      "Insert Into TrsMast2401(TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, TmsMcMisu) "
      "Values(2024, 1, 503, 6, '20240106', 90000)",  // another partner
  };
  for (const char *sql : rows) goDbMain.Execute(QString::fromUtf8(sql));
  auto chit = [](int no, int sent, int kind, int credit, int collected) {
    goDbMain.Execute(QString("Insert Into PanChit2401(PctYear, PctMon, PctDay, PctDate, PctChtNo, "
                             "PctPosNo, PctPsnKey, PctTrsKey, PctJunsong, PctSss2, PctOisang, PctRGum) "
                             "Values(2024, 1, 10, '20240110', %1, 1, 1, 502, %2, %3, %4, %5)")
                         .arg(no).arg(sent).arg(kind).arg(credit).arg(collected));
  };
  chit(1, 1, 0, 7000, 0);
  chit(2, 0, 0, 9000, 0);  // not sent yet
  chit(3, 1, 9, 0, 80000);  // a collection
  main_->ReadTrsMisu();
  // 45,000 + 7,000 - 80,000
  EXPECT_EQ(main_->lblTrsMisu->text(), "-28,000");
}

TEST_P(CustomerSql, KeyRowIsInsertedThenOnlyItsValueChanges) {
  PutOrvKoreaRow("gsSetPosVersion3", " Ver 1 ");
  auto row = [] {
    auto rs = goDbMain.OpenRecordset("Select * From OrvKorea");
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.MoveFirst();
    return rs;
  };
  auto rs = row();
  EXPECT_EQ(NzStr(rs.Field("regChar")), "Ver 1");
  EXPECT_EQ(NzCur(rs.Field("regInt")), W(0));
  EXPECT_EQ(NzCur(rs.Field("regSss5")), W(0));
  goDbMain.Execute("Update OrvKorea Set regInt = 4, regText = ' memo ', regSss2 = 7");
  // 24 syllables and "x" are 49 bytes; the next syllable would straddle byte 50.
  const QString value = QString(24, QChar(0xAC00)) + "x" + QChar(0xAC01);
  PutOrvKoreaRow("gsSetPosVersion3", value);
  rs = row();
  EXPECT_EQ(NzStr(rs.Field("regChar")), QString(24, QChar(0xAC00)) + "x");
  EXPECT_EQ(NzCur(rs.Field("regInt")), W(4));
  EXPECT_EQ(NzStr(rs.Field("regText")), "memo");
  EXPECT_EQ(NzCur(rs.Field("regSss2")), W(7));
  // A quote is only a character; the main database gone: silently nothing.
  PutOrvKoreaRow("it's", "o'k");
  EXPECT_EQ(goDbMain.OpenRecordset("Select * From OrvKorea Where regChar = 'o''k'").RecordCount(), 1);
  goDbMain.Close();
  PutOrvKoreaRow("gsSetPosVersion3", "Ver 2");
}

INSTANTIATE_TEST_SUITE_P(Engines, CustomerSql, ORV_BOTH_ENGINES);

}  // namespace
