#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "chit/etc_chits.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/helpers.h"
#include "core/values.h"
#include "platform/grid.h"
#include "sale/goods_lookup.h"
#include "chit/pos_event.h"
#include "sale_screen_fixture.h"
#include "schema/tables.h"

using namespace orv;
using dialogs::Script;
using saletest::SaleScreenTest;

namespace {

Currency W(int64_t v) { return *Currency::FromWhole(v); }

class ChitBuffersTest : public SaleScreenTest {
 protected:
  void SetUp() override {
    SaleScreenTest::SetUp();
    if (HasFatalFailure()) return;
    Login();
    if (HasFatalFailure()) return;
    goDbMain.Execute("UPDATE SleDate SET SldSaleSel = 9");  // list prices only
    m().txtPosNo->setText("3");
  }
  frmMain &m() { return *main_; }

  // A goods line through the screen's own line filler, then the totals.
  void Put(const QString &barcode) {
    ASSERT_GT(FindGdsByBarcode(barcode), 0) << barcode.toStdString();
    const int row = m().FirstFreeRow();
    ASSERT_TRUE(m().PutGdsRow(row, {}));
    m().CalcChitSum(1);
  }
  void SetCell(int row, int col, const QString &text) { SetCellText(m().vaSpread1, row, col, text); }
  void SetPointValue(int key, int value) {
    goDbMain.Execute("UPDATE GdsCode SET GcdSss5 = " + QString::number(value) +
                     " WHERE GcdKey = " + QString::number(key));
  }
  void SetOption(const QString &key, int value) {
    goDbMain.Execute("DELETE FROM OrvRegistry WHERE RegKey = " + db::SqlText(key));
    goDbMain.Execute("INSERT INTO OrvRegistry(RegKey, RegInt) VALUES(" + db::SqlText(key) + "," +
                     QString::number(value) + ")");
  }
};

}  // namespace

TEST_F(ChitBuffersTest, SaleRecordsFollowGridAndLabels) {
  Script s;
  Put("8801043014809");  // key 1, 900
  Put("8801045051123");  // key 2, 1100 tax-free
  Put("8801094013007");  // key 3, 1800
  // Line 1 sold as 2 x 1,000 for 1,800; line 3 a OneMoa goods kept out of the points.
  SetCell(1, ColQty, "2");
  SetCell(1, ColPrice, "1000");
  SetCell(1, ColAmt, "1800");
  SetCell(3, ColKind, "CO");
  SetCell(3, ColPointEx, "1");
  m().lblKongSum->setText("9,091");
  m().lblBugaSum->setText("909");
  m().lblHabGum->setText("12,345");
  m().lblNtxSum->setText("1,100");
  m().lblDCSum->setText("200");
  gcTcdKey = W(77);
  gtCstCode.CcdKey = W(12);
  glGaSel = 2;
  // A line from an earlier attempt that the grid no longer holds stays as it was.
  gtPanGods[5].PcgGdsKey = W(999);

  ASSERT_TRUE(m().MakePanChitHead());
  ASSERT_TRUE(m().MakePanGodsLines());
  ASSERT_TRUE(m().MakePanListRow());

  const PanChitRec &h = gtPanChit;
  EXPECT_EQ(h.PctDate, chit::WorkDateText());
  EXPECT_EQ(h.PctChtNo, 0);
  EXPECT_EQ(h.PctPosNo, 3);
  EXPECT_EQ(h.PctHab, W(12345));
  EXPECT_EQ(h.PctTax, W(10000));
  EXPECT_EQ(h.PctGum, W(9091));
  EXPECT_EQ(h.PctBuga, W(909));
  EXPECT_EQ(h.PctNtx, W(1100));
  EXPECT_EQ(h.PctDc, W(200));
  EXPECT_EQ(h.PctTrsKey, W(77));
  EXPECT_EQ(h.PctCstKey, W(12));
  EXPECT_EQ(h.PctGaSel, 2);
  EXPECT_EQ(h.PctJunsong, giOnLine == 1 ? 1 : 0);
  EXPECT_EQ(h.PctWrtdate, clock::Now().toString("yyyyMMdd"));

  EXPECT_EQ(gtPanGods[1].PcgSeqNo, 1);
  EXPECT_EQ(gtPanGods[1].PcgGdsKey, W(1));
  EXPECT_EQ(gtPanGods[1].PcgSu, W(2));
  EXPECT_EQ(gtPanGods[1].PcgDanga, W(1000));
  EXPECT_EQ(gtPanGods[1].PcgGum, W(1800));
  EXPECT_EQ(gtPanGods[1].PcgDc, W(200));
  EXPECT_EQ(gtPanGods[1].PcgGDanga,
            NzCur(goDbMain.OpenRecordset("SELECT GcdDanga FROM GdsCode WHERE GcdKey = 1")
                      .Field("GcdDanga")));
  EXPECT_EQ(gtPanGods[2].PcgTax, W(1));
  EXPECT_EQ(gtPanGods[1].PcgSss1, 0);
  EXPECT_EQ(gtPanGods[3].PcgSss1, 1);
  EXPECT_TRUE(gtPanGods[4].PcgGdsKey.IsZero());
  EXPECT_EQ(gtPanGods[5].PcgGdsKey, W(999));
  EXPECT_EQ(gcJumsuGum, W(1800));  // line 3 only
  EXPECT_TRUE(gcGdsJumsu.IsZero());
  EXPECT_EQ(gsOneMoaGdsCode[2], "8801045051123");
  EXPECT_EQ(gsOneMoaGdsName[1], QStringLiteral("신라면[120g]"));

  EXPECT_EQ(gtPanList.PclPosNo, 3);
  EXPECT_EQ(gtPanList.PclDate, chit::WorkDateText());
  EXPECT_EQ(gtPanList.PclPsnKey, gcLogPsnKey);
  EXPECT_TRUE(gtPanList.PclGum01.IsZero());
}

TEST_F(ChitBuffersTest, OwnPointValuesFeedBothPointBases) {
  Script s;
  SetOption("PosGdsBnsPoint", 1);
  SetPointValue(1, 3);
  SetPointValue(3, -5);
  Put("8801043014809");  // 900, 3 points a unit
  Put("8801045051123");  // plain
  Put("8801094013007");  // 1800, rate 5 %
  SetCell(1, ColQty, "4");
  SetCell(1, ColAmt, "3600");
  SetCell(1, ColPointEx, "1");  // marked and valued: counted once
  SetCell(3, ColAmt, "1010");
  ASSERT_TRUE(m().MakePanGodsLines());
  EXPECT_EQ(gtPanGods[1].PcgSss5, 3);
  EXPECT_EQ(gtPanGods[3].PcgSss5, -5);
  EXPECT_EQ(gcGdsJumsu, W(12 + 51));
  EXPECT_EQ(gcJumsuGum, W(3600 + 1010));

  // With the option off the goods file's values earn nothing, as the screen shows.
  SetOption("PosGdsBnsPoint", 0);
  ASSERT_TRUE(m().MakePanGodsLines());
  EXPECT_EQ(gtPanGods[1].PcgSss5, 0);
  EXPECT_TRUE(gcGdsJumsu.IsZero());
  EXPECT_EQ(gcJumsuGum, W(3600));
}

TEST(CalcRatePoints, RoundsHalvesUpAndFailsToZero) {
  struct Case {
    int rate;
    Currency amount;
    int32_t points;
  } cases[] = {
      {-5, Currency::Won(1010), 51},   // 50.5 + 0.5
      {-5, Currency::Won(1000), 50},
      {5, Currency::Won(1010), 51},    // the sign of the rate does not matter
      {-5, Currency::Won(-1010), -50},  // Int(-50.5 + 0.5)
      {-3, Currency::FromRaw(3333), 0},
      {-100, Currency::FromRaw(std::numeric_limits<int64_t>::max()), 0},  // overflow
  };
  for (const Case &c : cases)
    EXPECT_EQ(frmMain::CalcRatePoints(c.rate, c.amount), c.points)
        << c.rate << " " << c.amount.ToPlainText().toStdString();
}

TEST_F(ChitBuffersTest, HeldChitKeepsItsNumberAndLogsItsLines) {
  Script s;
  Put("8801043014809");
  Put("8801094013007");
  SetCell(1, ColDc, "10");
  m().lblKongSum->setText("9,091");
  m().lblBugaSum->setText("909");
  const QString d = chit::WorkDateText();
  goDbMain.Execute(QString("INSERT INTO WatChit (WctYear, WctMon, WctDay, WctDate, WctChtNo, "
                           "WctPosNo, WctPsnKey, WctCommit) VALUES(%1,%2,%3,'%4',4,1,1,0)")
                       .arg(giWrkYear)
                       .arg(giWrkMonth)
                       .arg(giWrkDay)
                       .arg(d));
  // Elements a new chit does not use are all overwritten.
  gtWatGods.GdsKey[7] = W(55);
  ASSERT_TRUE(m().MakeWatChitHead());
  ASSERT_TRUE(m().MakeWatGodsLines());
  ASSERT_TRUE(m().MakeWatGodsSpeedLines());
  EXPECT_EQ(gtWatChit.ChtNo, 5);
  EXPECT_EQ(gtWatChit.Tax, W(909));
  EXPECT_EQ(gtWatChit.Gum, W(9091));
  EXPECT_EQ(gtWatChit.Buga, W(10000));
  EXPECT_EQ(gtWatGods.ChtNo[150], 5);
  EXPECT_EQ(gtWatGods.SeqNo[150], 150);
  EXPECT_TRUE(gtWatGods.GdsKey[7].IsZero());
  EXPECT_EQ(gtWatGods.Dc[1], W(10));
  EXPECT_EQ(gtWatGods.Su[2], W(1));
  QString text;
  EXPECT_EQ(EventRows(4, &text), 1);
  EXPECT_EQ(text, "1,1,1,900,900;2,3,1,1800,1800");
  EXPECT_TRUE(gtWatGodsSpeed.Text[3].isEmpty());
  const QStringList pieces = gtWatGodsSpeed.Text[1].split(';');
  EXPECT_EQ(pieces.size(), kSaleGridCols + 1);  // each cell followed by ";"
  EXPECT_TRUE(pieces.last().isEmpty());
  EXPECT_EQ(pieces[ColGdsKey - 1], "1");

  // Recalled and held again: the number stays.
  ASSERT_TRUE(m().MakeWatChitHead());
  EXPECT_EQ(gtWatChit.ChtNo, 5);
}

TEST_F(ChitBuffersTest, DeliveryChitSnapshotsSaveUncutAndWithoutStraySeparators) {
  Script s;
  Put("8801043014809");
  // A name with ";" in it, long enough that the row passes the column's 300 characters.
  SetCell(1, ColName, "A;B" + QString(400, QChar('x')));
  ASSERT_TRUE(m().MakeBdlChitHead());
  ASSERT_TRUE(m().MakeBdlGodsLines());
  ASSERT_TRUE(m().MakeBdlGodsSpeedLines());
  EXPECT_EQ(gtBdlChit.ChtNo, 1);
  EXPECT_EQ(EventRows(301), 1);
  const QString snap = gtBdlGodsSpeed.Text[1];
  EXPECT_GT(snap.size(), 400);
  EXPECT_EQ(snap.split(';')[ColGdsKey - 1], "1");  // the key stays in its column
  EXPECT_TRUE(snap.contains("A,B"));

  ASSERT_EQ(gsBdlChitInsert(0), "");
  db::Recordset rs = goDbPos.OpenRecordset("SELECT BcgSText FROM BdlGodsSpeed WHERE BcgSSeqNo = 1");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field("BcgSText").toString(), snap);
}

TEST_F(ChitBuffersTest, FailingStepIsReportedWithItsBuilder) {
  Script s;
  Put("8801043014809");
  goDbMain.Execute("DROP TABLE GdsCode");
  EXPECT_FALSE(m().MakePanGodsLines());
  EXPECT_TRUE(m().msChitBuildErr.startsWith("[MakePanGodsLines:")) << m().msChitBuildErr.toStdString();
  goDbMain.Execute("DROP TABLE WatChit");
  gtWatChit.ChtNo = 0;
  EXPECT_FALSE(m().MakeWatChitHead());
  EXPECT_TRUE(m().msChitBuildErr.startsWith("[MakeWatChitHead:"));
  // A good run clears the text.
  EXPECT_TRUE(m().MakePanChitHead());
  EXPECT_TRUE(m().msChitBuildErr.isEmpty());
}

TEST_F(ChitBuffersTest, LinkedGoodsQuantity) {
  Script s;
  // Goods 3 is given free for every 3 units of a linked goods.
  gtGdsCode = GdsCodeRec{};
  gtGdsCode.GcdKey = W(3);
  gtGdsCode.GcdSel1 = 9;
  gtGdsCode.GcdCmsSu = 3;
  const QString d = chit::WorkDateText();
  SetCell(1, ColGdsKey, "1");
  SetCell(1, ColQty, "6");
  SetCell(1, ColCmsNo, "3");
  SetCell(2, ColGdsKey, "3");
  SetCell(2, ColQty, "-1");
  SetCell(2, ColCmsGbn, "9");
  struct Case {
    QString st, ed;
    int16_t cmsSu;
    int qty;
  } cases[] = {
      {"20000101", "29991231", 3, -1},
      {"20000101", "", 3, 0},  // an empty end date has passed
      {d, d, 3, -1},
      {"20000101", "29991231", 0, 0},
  };
  for (const Case &c : cases) {
    gtGdsCode.GcdStdate = c.st;
    gtGdsCode.GcdEddate = c.ed;
    gtGdsCode.GcdCmsSu = c.cmsSu;
    EXPECT_EQ(m().CalcLinkedGdsQty(), W(c.qty)) << c.st.toStdString() << "-" << c.ed.toStdString();
  }
}

// The builders' statements on a PostgreSQL working database.
TEST_F(ChitBuffersTest, BuildersReadAPostgresMainDatabase) {
  ORV_REQUIRE_PG();
  Script s;
  Put("8801043014809");
  goDbMain.Open(orvtest::NewPgDatabase());
  schema::CreateTable(goDbMain, "GdsCode");
  schema::CreateTable(goDbMain, "WatChit");
  schema::CreateTable(goDbMain, "OrvRegistry");
  goDbMain.Execute("INSERT INTO GdsCode (GcdKey, GcdNo, GcdDanga, GcdDanga2, GcdMech, GcdMech2, "
                   "GcdSss5) VALUES (1, 1, 950, 940, 700, 690, 2)");
  SetOption("PosGdsBnsPoint", 1);
  ASSERT_TRUE(m().MakePanGodsLines()) << m().msChitBuildErr.toStdString();
  EXPECT_EQ(gtPanGods[1].PcgGDanga, W(950));
  EXPECT_EQ(gtPanGods[1].PcgGMech2, W(690));
  EXPECT_EQ(gcGdsJumsu, W(2));
  gtWatChit.ChtNo = 0;
  ASSERT_TRUE(m().MakeWatChitHead()) << m().msChitBuildErr.toStdString();
  EXPECT_EQ(gtWatChit.ChtNo, 1);
}
