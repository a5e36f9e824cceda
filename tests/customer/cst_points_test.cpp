#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "chit/records.h"
#include "core/globals.h"
#include "customer/cst_points.h"
#include "customer/frmCstEdit.h"
#include "customer_fixture.h"
#include "lookup/help_globals.h"
#include "platform/dialogs.h"

using customertest::CustomerFixture;
using orv::Currency;

namespace {
Currency C(const char *t) { return *Currency::FromText(QString::fromLatin1(t)); }
}  // namespace

TEST(PointRule, PointsAndAmountBothWays) {
  const Currency up = C("0.9"), half = C("0.5"), down = C("0");
  struct Case {
    const char *name;
    int32_t base, unit;
    Currency offset;
    const char *in;
    bool fromPoints;
    const char *want;
  } cases[] = {
      {"3 points", 1000, 1, up, "3", true, "3000"},
      {"-3 points", 1000, 1, up, "-3", true, "-3000"},
      {"points by unit 3", 1000, 3, up, "10", true, "3333.33"},
      {"2500 up", 1000, 1, up, "2500", false, "3"},
      {"2500 nearest", 1000, 1, half, "2500", false, "3"},
      {"2500 down", 1000, 1, down, "2500", false, "2"},
      {"2050 up drops below 0.1", 1000, 1, up, "2050", false, "2"},
      {"-2500 up", 1000, 1, up, "-2500", false, "-3"},
      {"500 down gives nothing", 1000, 1, down, "500", false, "0"},
      {"500 up gives one", 1000, 1, up, "500", false, "1"},
      {"a base beyond 16 bits", 40000, 1, down, "80000", false, "2"},
      {"a base beyond 16 bits, points", 40000, 1, down, "2", true, "80000"},
  };
  for (const Case &c : cases) {
    PointRule r{c.base, c.unit, c.offset};
    const Currency got = c.fromPoints ? PointsToAmount(C(c.in), r) : AmountToPoints(C(c.in), r);
    EXPECT_EQ(got, C(c.want)) << c.name;
  }
}

TEST(PointRule, LedgerGap) {
  EXPECT_EQ(FirstLedgerGap({}), 1);
  EXPECT_EQ(FirstLedgerGap({1, 2, 3}), 4);
  EXPECT_EQ(FirstLedgerGap({1, 3}), 2);
  EXPECT_EQ(FirstLedgerGap({2, 3}), 1);
}

class CstEdit : public CustomerFixture {
 protected:
  void SetUp() override {
    CustomerFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gsLogID = "kim";
    gsPcdName = "김판매";
    for (orv::db::Connection *c : {&goDbMain, &goDbTs}) {
      c->Execute("Delete From CstCode");
      c->Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdBarcode, CcdHp, CcdCnt, "
                 "CcdTcnt, CcdTzerdo, CcdTjumsu, CcdZerdo, CcdJumsu) "
                 "Values(7, 70, '홍길동', '2900000010019', '010-1111-2222', 4, 9, 50000, 50, 20000, 20)");
    }
  }
  orv::db::Connection &cstDb() { return giCstTsMode == 0 ? goDbMain : goDbTs; }
  QString ledger() { return giCstTsMode == 0 ? "CstWnjg" : "CstWnjgT2403"; }
};

// The totals grow from the row as read in the transaction (another checkout's sale since
// the screen loaded stays), the ledger and the event row go with them; on the point server
// into today's month tables.
TEST_P(CstEdit, SaveAddsToTheRowAsItStandsNow) {
  for (int16_t mode : {0, 2}) {
    SCOPED_TRACE(mode);
    giCstTsMode = mode;
    CstCodeRec shown;
    shown.CcdKey = Currency::Won(7);
    cstDb().Execute("Update CstCode Set CcdZerdo=21000, CcdJumsu=21 Where CcdKey=7");
    ASSERT_TRUE(SaveCstPointsAdd(shown, Currency::Won(3), Currency::Won(3000)));
    ASSERT_TRUE(SaveCstPointsAdd(shown, Currency::Won(-1), Currency::Won(-1000)));
    auto rs = cstDb().OpenRecordset("Select * From CstCode Where CcdKey=7");
    EXPECT_EQ(NzCur(rs.Field("CcdZerdo")), Currency::Won(23000));
    EXPECT_EQ(NzCur(rs.Field("CcdJumsu")), Currency::Won(23));
    EXPECT_EQ(NzCur(rs.Field("CcdTjumsu")), Currency::Won(52));
    EXPECT_EQ(NzCur(rs.Field("CcdCnt")), Currency::Won(4));
    EXPECT_EQ(NzStr(rs.Field("CcdLpdate")), "20240315");
    auto l = cstDb().OpenRecordset("Select * From " + ledger() + " Order By CwjChtNo");
    ASSERT_EQ(l.RecordCount(), 2);
    EXPECT_EQ(NzCur(l.Field("CwjYJumsu")), Currency::Won(21));
    EXPECT_EQ(NzCur(l.Field("CwjNJumsu")), Currency::Won(24));
    EXPECT_EQ(NzStr(l.Field("CwjPsn")), "kim(김판매)");
    EXPECT_EQ(NzCur(l.Field("CwjSss1")), Currency::Won(3));
    l.MoveNext();
    EXPECT_EQ(NzCur(l.Field("CwjChtNo")), Currency::Won(2));
    EXPECT_EQ(NzCur(l.Field("CwjJumsu")), Currency::Won(-1));
    auto e = cstDb().OpenRecordset("Select * From PosLogs2403 Where PlgSel=102 Order By PlgSeq");
    ASSERT_EQ(e.RecordCount(), 2);
    EXPECT_EQ(NzStr(e.Field("PlgText1")), "70,홍길동,3,24,3000,24000,12");

    // A customer gone meanwhile: nothing is written.
    CstCodeRec gone;
    gone.CcdKey = Currency::Won(8);
    EXPECT_FALSE(SaveCstPointsAdd(gone, Currency::Won(3), Currency::Won(3000)));
    EXPECT_EQ(Count(cstDb(), ledger()), 2);
    EXPECT_EQ(cstDb().TransLevel(), 0);
  }
}

// The screen: "-2222" finds the member through the chooser, 3 points become 3,000 won, Enter
// saves; the sale screen's customer comes back as it was.
TEST_P(CstEdit, TheScreenFindsAddsAndSaves) {
  giCstTsMode = 2;
  gtCstCode = {};
  gtCstCode.CcdKey = Currency::Won(99);
  gtCstCode.CcdBarcode = "555";
  goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegInt) Values('PosCstJumsu', 1000)");
  orv::dialogs::Script script;
  QString handed;
  script.OnForm("frmCust", [&](QWidget &form) {
    handed = gsCstFindSql;
    gsCstHelpNo = "2900000010019";
    static_cast<QDialog &>(form).accept();
  });
  frmCstEdit f;
  f.show();
  EXPECT_EQ(f.GdsBarcdTxt->text(), "555");
  f.GdsBarcdTxt->setFocus();
  f.GdsBarcdTxt->setText("-2222");
  QTest::keyClick(f.GdsBarcdTxt, Qt::Key_Return);
  EXPECT_TRUE(handed.contains("CstCode"));
  EXPECT_EQ(f.GdsNameTxt->text(), "홍길동");
  EXPECT_EQ(f.CcdJsTxt->text(), "20");
  // Saving without a figure adds nothing.
  f.GdsEnterCmd_Click();
  EXPECT_EQ(script.Texts().value(0), "* 추가금액오류입니다 !");
  f.CcdJs1Txt->setFocus();
  QTest::keyClicks(f.CcdJs1Txt, "3");
  EXPECT_EQ(f.CcdJs1Txt->text(), "3");
  QTest::keyClick(f.CcdJs1Txt, Qt::Key_Return);
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(gtCstCode.CcdKey, Currency::Won(99));
  auto rs = goDbTs.OpenRecordset("Select CcdJumsu, CcdZerdo From CstCode Where CcdKey=7");
  EXPECT_EQ(NzCur(rs.Field(0)), Currency::Won(23));
  EXPECT_EQ(NzCur(rs.Field(1)), Currency::Won(23000));
}

INSTANTIATE_TEST_SUITE_P(Engines, CstEdit,
                         testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                         chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
