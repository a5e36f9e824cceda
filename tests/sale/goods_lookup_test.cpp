// Goods lookups, scan completion, OneMoa goods and the sale period on both engines, over
// a few goods that show bundles, free-goods links, partner prices and hot keys.
#include <gtest/gtest.h>

#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "sale/goods_lookup.h"
#include "sale/sale_globals.h"
#include "schema/tables.h"
#include "test_support.h"

using orv::Currency;

namespace {

Currency W(int v) { return Currency::Won(v); }

class GoodsLookup : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    orv::state::ResetSaleGlobals();
    orv::state::ResetGoodsLookup();
    EngineTest::SetUp();
    if (IsSkipped()) return;
    goDbMain.Open(NewDatabase());
    for (const char *t : {"GdsCode", "CmsCode", "BssCode", "KeyCode", "KeyCode2", "TrsPris",
                          "BarCode", "OmaGods", "SleDate", "OrvRegistry"})
      orv::schema::CreateTable(goDbMain, t);
    const char *rows[] = {
        // 11: in bundles 5 and 7, no free-goods link.
        "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdBarcode, GcdMech) "
        "Values(11, 1001, '라면', '8801234567893', 1200)",
        "Insert Into BssCode(BssNo, BssNo2) Values(5, 11)",
        "Insert Into BssCode(BssNo, BssNo2) Values(7, 11)",
        // 12: one link, to goods that are not free goods: taken all the same.
        "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdBarcode, GcdMech) "
        "Values(12, 1002, '우유', '88000012', 900)",
        "Insert Into CmsCode(CmsNo, CmsNo2) Values(30, 12)",
        // 13: two links; only 31 is free goods in its period.
        "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdBarcode, GcdMech) "
        "Values(13, 12345678, '과자', '2000000000013', 1500)",
        "Insert Into CmsCode(CmsNo, CmsNo2) Values(30, 13)",
        "Insert Into CmsCode(CmsNo, CmsNo2) Values(31, 13)",
        "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdSel1) Values(30, 3000, '컵', 0)",
        "Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdSel1, GcdStdate, GcdEddate) "
        "Values(31, 3100, '사은품', 9, '20240101', '20991231')",
        // The partner 1002 (key 502) buys goods 11 at 1100.
        "Insert Into TrsPris(TpsTrsKey, TpsGdsKey, TpsMech1) Values(502, 11, 1100)",
        // Hot keys of the plain keyboard (KeySel 3).
        "Insert Into KeyCode(KeySel, KeyNo, KeyValue, KeyGcdKey, GcdSss2) Values(3, 5, 112, 12, 0)",
        "Insert Into KeyCode(KeySel, KeyNo, KeyValue, KeyGcdKey, GcdSss2) Values(3, 6, 0, 12, 0)",
        "Insert Into KeyCode(KeySel, KeyNo, KeyValue, KeyGcdKey, GcdSss2) Values(3, 6, 0, 13, 0)",
        "Insert Into KeyCode(KeySel, KeyNo, KeyValue, KeyGcdKey, GcdSss2) Values(3, 7, 113, 12, 1)",
        "Insert Into KeyCode2(Key2Sel, Key2No, Key2Pack, Key2GcdKey) Values(3, 7, 1, 13)",
        "Insert Into KeyCode(KeySel, KeyNo, KeyValue, KeyGcdKey, GcdSss2) Values(3, 8, 114, 13, 1)",
        // Short barcodes for the scan completion.
        "Insert Into BarCode(BarBarCode, BarGubun, BarGdsKey) Values('0123456789012', 0, 13)",
        "Insert Into BarCode(BarBarCode, BarGubun, BarGdsKey) Values('01234999', 0, 12)",
        "Insert Into BarCode(BarBarCode, BarGubun, BarGdsKey) Values('01234565', 0, 12)",
        "Insert Into BarCode(BarBarCode, BarGubun, BarGdsKey) Values('91234560', 0, 12)",
        "Insert Into OmaGods(OmaCode, OmaName, OmaTitle, OmaStDate, OmaEdDate, OmaWrtDate) "
        "Values('8801234567893', 'x', 'x', '20240101', '20240131', '20240101')",
    };
    for (const char *sql : rows) goDbMain.Execute(QString::fromUtf8(sql));
    giWrkYear = 2024;
    giWrkMonth = 1;
    giWrkDay = 31;
    giSetKey = 0;
  }
  void TearDown() override {
    orv::state::ResetGoodsLookup();
    orv::state::ResetSaleGlobals();
    orv::state::ResetProgramState();
  }
};

TEST_P(GoodsLookup, BarcodeTakesTheHighestBundleAndTheRightFreeGoodsLink) {
  EXPECT_EQ(FindGdsByBarcode("8801234567893"), 2);  // one row per bundle
  EXPECT_EQ(gtGdsCode.GcdKey, W(11));
  EXPECT_EQ(gcBssNo, W(7));
  EXPECT_TRUE(gcCmsNo.IsZero());

  EXPECT_EQ(FindGdsByBarcode("88000012"), 1);
  EXPECT_EQ(gcCmsNo, W(30));  // a single link counts whatever its goods
  EXPECT_TRUE(gcBssNo.IsZero());

  EXPECT_EQ(FindGdsByBarcode("2000000000013"), 2);
  EXPECT_EQ(gcCmsNo, W(31));  // of several, only free goods in their period
}

TEST_P(GoodsLookup, ShortCodesFallBackToTheGoodsNumberAndOddTextFindsNothing) {
  const struct {
    const char *code;
    int rows;
    int key;  // goods loaded afterwards
  } cases[] = {
      {"12345678", 2, 13},       // 8 characters: tried as goods number 12345678
      {"1234567", 0, 13},        // 7: not
      {"12345678901", 0, 13},    // 11: not
      {"x'or'1'='1", 0, 13},     // a quote is only a character of the code
      {"", 0, 13},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(FindGdsByBarcode(QString::fromUtf8(c.code)), c.rows) << c.code;
    EXPECT_EQ(gtGdsCode.GcdKey, W(c.key)) << c.code;
  }
  EXPECT_EQ(FindGdsByNo(W(1002)), 1);
  EXPECT_EQ(gtGdsCode.GcdName, "우유");
  EXPECT_EQ(FindGdsByNo(W(0)), 0);
  EXPECT_EQ(gtGdsCode.GcdName, "우유");
}

TEST_P(GoodsLookup, PartnerPriceOnlyForGoodsJustFound) {
  gcTcdNo = W(1002);
  gcTcdKey = W(502);
  EXPECT_EQ(FindGdsByNo(W(1001)), 2);
  EXPECT_EQ(gcTpsMech1, W(1100));
  // A miss keeps the goods before in the record but must not price them.
  EXPECT_EQ(FindGdsByBarcode("9999999999999"), 0);
  EXPECT_EQ(gtGdsCode.GcdKey, W(11));
  EXPECT_TRUE(gcTpsMech1.IsZero());
  EXPECT_EQ(FindGdsByKeyValue(999, 0), 0);
  EXPECT_TRUE(gcTpsMech1.IsZero());

  EXPECT_EQ(FindGdsByNo(W(1002)), 1);
  EXPECT_TRUE(gcTpsMech1.IsZero());  // no price for these goods

  gcTcdNo = W(88000);  // the shop's walk-in partner has no prices
  EXPECT_EQ(FindGdsByNo(W(1001)), 2);
  EXPECT_TRUE(gcTpsMech1.IsZero());
}

TEST_P(GoodsLookup, HotKeysByNumberAndByKey) {
  EXPECT_EQ(FindGdsByKeyNo(W(1005), 0), 1);
  EXPECT_EQ(gtGdsCode.GcdKey, W(12));
  ClearGdsRecord();
  EXPECT_EQ(FindGdsByKeyNo(W(2005), 0), 1);  // only the last three digits count
  EXPECT_EQ(gtGdsCode.GcdKey, W(12));

  // Two goods on one key: the list chooses.
  QString shownList;
  gfnShowKeylist = [&](const QString &sql) {
    shownList = sql;
    return W(13);
  };
  EXPECT_EQ(FindGdsByKeyNo(W(6), 0), 2);  // the pick's rows (two free-goods links)
  EXPECT_EQ(gtGdsCode.GcdKey, W(13));
  EXPECT_EQ(gcCmsNo, W(31));
  EXPECT_EQ(goDbMain.OpenRecordset(shownList).RecordCount(), 2);
  // Cancelled, or no list to choose from: not found, and the goods before stay loaded.
  FindGdsByKeyNo(W(5), 0);
  gfnShowKeylist = [](const QString &) { return Currency(); };
  EXPECT_EQ(FindGdsByKeyNo(W(6), 0), 0);
  EXPECT_EQ(gtGdsCode.GcdKey, W(12));
  gfnShowKeylist = nullptr;
  EXPECT_EQ(FindGdsByKeyNo(W(6), 0), 0);

  EXPECT_EQ(FindGdsByKeyValue(112, 0), 1);
  EXPECT_EQ(gtGdsCode.GcdKey, W(12));
  EXPECT_EQ(gcCmsNo, W(30));

  // A pack key: the goods itself and its pack units are offered.
  gfnShowGdsSelect = [] {
    EXPECT_EQ(goDbMain.OpenRecordset(gsGdsSelectSql).RecordCount(), 2);
    gcGdsSelectKey = W(13);
  };
  EXPECT_EQ(FindGdsByKeyValue(113, 0), 2);
  EXPECT_EQ(gtGdsCode.GcdKey, W(13));
  gfnShowGdsSelect = [] {};  // cancelled
  EXPECT_EQ(FindGdsByKeyValue(113, 0), 0);
  // A pack key without pack units is taken directly.
  EXPECT_EQ(FindGdsByKeyValue(114, 0), 2);
  EXPECT_EQ(gtGdsCode.GcdKey, W(13));

  giSetKey = 1;  // another keyboard: its keys only
  EXPECT_EQ(FindGdsByKeyValue(112, 0), 0);
}

TEST_P(GoodsLookup, ShortScansCompleteToTheFirstEightCharacterBarcode) {
  EXPECT_EQ(FindBarcodeByPrefix(goDbMain, "012345"), "01234565");
  EXPECT_EQ(FindBarcodeByPrefix(goDbMain, "0123499"), "01234999");
  EXPECT_EQ(FindBarcodeByPrefix(goDbMain, "9123456"), "91234560");
  EXPECT_EQ(FindBarcodeByPrefix(goDbMain, "0123457"), "");
  EXPECT_EQ(FindBarcodeByPrefix(goDbMain, "01'%"), "");
}

TEST_P(GoodsLookup, OneMoaGoodsOnTheDaysOfTheirRange) {
  EXPECT_EQ(GetOmaGods("8801234567893"), "8801234567893");  // the last day counts
  giWrkMonth = 2;
  giWrkDay = 1;
  EXPECT_EQ(GetOmaGods("8801234567893"), "");
  EXPECT_EQ(GetOmaGods("x' or '1'='1"), "");
}

TEST_P(GoodsLookup, SalePeriodIsTheFirstRowByNumber) {
  SalePeriod p{3, W(1), W(2)};
  EXPECT_FALSE(ReadSalePeriod(goDbMain, p));
  EXPECT_EQ(p.saleSel, 3);  // kept when there is no row
  goDbMain.Execute("Insert Into SleDate(SldNo, SldSaleSel, SldStDate, SldEdDate) "
                   "Values(2, 9, '20230101', '20231231')");
  goDbMain.Execute("Insert Into SleDate(SldNo, SldSaleSel, SldStDate, SldEdDate) "
                   "Values(1, 0, '20240101', '20991231')");
  ASSERT_TRUE(ReadSalePeriod(goDbMain, p));
  EXPECT_EQ(p.saleSel, 0);
  EXPECT_EQ(p.stDate, W(20240101));
  EXPECT_EQ(p.edDate, W(20991231));
}

INSTANTIATE_TEST_SUITE_P(Engines, GoodsLookup, ORV_BOTH_ENGINES);

TEST(DashCode, ScaleCodesTypedWithDashes) {
  const struct {
    const char *in;
    int16_t longPrice;
    const char *out;
  } cases[] = {
      {"12-345-1000", 0, "1200345010002"},
      {"12-345-1000", 1, "1203450010004"},
      {"12-345", 0, "120034500000"},  // + check digit, checked below
      {"123-45", 0, "123-45"},
      {"12--5", 0, "12--5"},
      {"12-", 0, "12-"},
      {"", 0, ""},
  };
  for (const auto &c : cases) {
    QString code = c.in;
    DashCodeToBarcode(code, c.longPrice);
    EXPECT_TRUE(code.startsWith(c.out)) << c.in << " gave " << code.toStdString();
  }
  QString code = "12-345";
  DashCodeToBarcode(code, 0);
  EXPECT_EQ(code.size(), 13);
}

}  // namespace
