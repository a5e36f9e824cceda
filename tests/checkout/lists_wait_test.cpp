#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "../chit/chit_fixture.h"
#include "checkout/frmBdlChit.h"
#include "checkout/frmWait.h"
#include "checkout/lists_text.h"
#include "chit/etc_chits.h"
#include "chit/records.h"
#include "core/byte_text.h"
#include "core/pos_settings.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "print/delivery.h"

using orv::Currency;
using orv::checkout::frmBdlChit;
using orv::checkout::frmWait;

TEST(WatDeliveryLine, FortyColumnsWhateverTheNameAndAsThePrintersBuilder) {
  const struct {
    const char *name, *kyg, *qty;
  } cases[] = {
      {"Apple", "1kg", "3"},
      {"가나다라마바사아자차카", "규격이아주긴상품규격", "12"},  // cut inside a Hangul pair
      {"", "", "1"},                                            // still 40 columns
      {"Pear", "", "1234"},
  };
  for (const auto &c : cases) {
    const QString line = orv::checkout::WatDeliveryLine(QString::fromUtf8(c.name),
                                                        QString::fromUtf8(c.kyg), c.qty);
    EXPECT_EQ(LenAnsi(line), 40) << c.name;
    if (*c.name && *c.kyg) {
      EXPECT_EQ(line, orv::print::BdlPrnLine(QString::fromUtf8(c.name), QString::fromUtf8(c.kyg),
                                             c.qty));
    }
  }
}

class HeldList : public chittest::ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gcLogPsnKey = Currency::Won(5);
    goDbPos.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName) Values(77, '77', 'Kim')");
    if (online())
      goDbMain.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName) Values(77, '77', 'Kim')");
    for (int k = 1; k <= 3; ++k) {
      goDbPos.Execute("Insert Into GdsName(GnaGdsName, GnaGdsKey) Values('Goods" +
                      QString::number(k) + "', " + QString::number(1000 + k) + ")");
      goDbPos.Execute("Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode) Values(" +
                      QString::number(1000 + k) + ", " + QString::number(k) + ", 'Goods" +
                      QString::number(k) + "', " + (k == 2 ? "''" : "'1kg'") + ", '88" +
                      QString::number(k) + "')");
    }
  }
  void TearDown() override {
    orv::checkout::SetWatDeliveryPrinter({});
    ChitFixture::TearDown();
  }
  void Held(const QString &table, const QString &p, int no, const QString &time, int cst = 0,
            int pos = 3, int psn = 5, const QString &date = "20240315", int sss2 = 0,
            int commit = 0) {
    goDbPos.Execute("Insert Into " + table + "(" + p + "Year, " + p + "Mon, " + p + "Day, " +
                    p + "Date, " + p + "ChtNo, " + p + "PosNo, " + p + "PsnKey, " + p + "CstKey, " +
                    p + "Hab, " + p + "WrtTime, " + p + "Sss2, " + p + "Commit) Values(" +
                    date.left(4) + "," + QString::number(date.mid(4, 2).toInt()) + "," +
                    QString::number(date.mid(6, 2).toInt()) + ",'" + date + "'," +
                    QString::number(no) + "," + QString::number(pos) + "," +
                    QString::number(psn) + "," + QString::number(cst) + ",4500,'" + time +
                    "'," + QString::number(sss2) + "," + QString::number(commit) + ")");
  }
  // Lines 1..n (stored backwards), line 2 the dearest; and as many snapshot rows.
  void Lines(const QString &table, const QString &p, int no, int n,
             const QString &date = "20240315") {
    auto ymd = [](const QString &d) {
      return d.left(4) + "," + QString::number(d.mid(4, 2).toInt()) + "," +
             QString::number(d.mid(6, 2).toInt());
    };
    for (int i = n; i >= 1; --i) {
      const int key = 1000 + ((i - 1) % 3) + 1;
      goDbPos.Execute("Insert Into " + table + "(" + p + "Year, " + p + "Mon, " + p + "Day, " +
                      p + "Date, " + p + "ChtNo, " + p + "SeqNo, " + p + "GdsKey, " + p + "Su, " +
                      p + "Danga, " + p + "Gum, " + p + "Commit) Values(" + ymd(date) + ",'" + date +
                      "'," + QString::number(no) + "," + QString::number(i) + "," +
                      QString::number(key) + ",2,1500," + (i == 2 ? "9000" : "3000") + ",0)");
      goDbPos.Execute("Insert Into " + table + "Speed(" + p + "SYear, " + p + "SMon, " + p +
                      "SDay, " + p + "SDate, " + p + "SChtNo, " + p + "SSeqNo, " + p +
                      "SText, " + p + "SCommit) Values(" + ymd(date) + ",'" + date + "'," +
                      QString::number(no) + "," + QString::number(i) + ",'row" +
                      QString::number(i) + "',0)");
    }
  }
  static QStringList Column(orv::Grid *g, int col) {
    QStringList out;
    for (int r = 1; r <= g->MaxRows(); ++r) out << g->CellValue(r, col);
    return out;
  }
};

TEST_P(HeldList, ListsTwentyNewestOfThisCashierWithNamesAndTimes) {
  for (int i = 1; i <= 22; ++i) {
    Held("WatChitT", "Wct", i, QString("1000%1").arg(i, 2, 10, QChar('0')));
    Lines("WatGodsT", "Wcg", i, 1);
  }
  Held("WatChitT", "Wct", 30, "235959", 77, 4);                     // another POS
  Held("WatChitT", "Wct", 31, "235959", 77, 3, 6);                  // another cashier
  Held("WatChitT", "Wct", 32, "235959", 77, 3, 5, "20240314");      // another day
  Held("WatChitT", "Wct", 33, "235959", 77, 3, 5, "20240315", 1);   // Sss2
  Held("WatChitT", "Wct", 34, "235959", 77, 3, 5, "20240315", 0, 1);  // committed
  frmWait f;
  ASSERT_TRUE(f.Form_Load());
  EXPECT_EQ(f.windowTitle(), "대기현황 조회");
  ASSERT_EQ(f.vaSpread1->MaxRows(), 20);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 4), "22");
  EXPECT_EQ(f.vaSpread1->CellValue(20, 4), "3");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 1), "10:00:22");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 6), "Goods1 외");
  EXPECT_TRUE(f.vaSpread1->ColHidden(3) && f.vaSpread1->ColHidden(4) && f.vaSpread1->ColHidden(7));
}

TEST_P(HeldList, NewCustomersBlankRowsAndTheHourWithoutItsZero) {
  Held("WatChitT", "Wct", 1, "093015", 77);
  Held("WatChitT", "Wct", 2, "080000", 99);  // a key without a customer row
  Held("WatChitT", "Wct", 3, "070000");      // no goods lines
  Lines("WatGodsT", "Wcg", 1, 3);
  Lines("WatGodsT", "Wcg", 2, 1);
  frmWait f;
  ASSERT_TRUE(f.Form_Load());
  EXPECT_EQ(Column(f.vaSpread1, 1), (QStringList{"9:30:15", "8:00:00", ""}));
  EXPECT_EQ(Column(f.vaSpread1, 5), (QStringList{"Kim", "*신규*", ""}));
  EXPECT_EQ(f.vaSpread1->CellValue(1, 6), "Goods2 외");  // the dearest line
  f.show();
  f.vaSpread1->SetActiveCell(1, 3);
  QTest::keyClick(f.vaSpread1->table(), Qt::Key_Return);  // the blank row recalls nothing
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(gtWatChit.ChtNo, 0);
}

TEST_P(HeldList, F8MarksBuildTheDeliveryTextAndEnterOnTheUpperGridRecalls) {
  Held("WatChitT", "Wct", 1, "093015", 77);
  Lines("WatGodsT", "Wcg", 1, 3);
  frmWait f;
  ASSERT_TRUE(f.Form_Load());
  f.show();
  QApplication::setActiveWindow(&f);
  f.vaSpread1->table()->setFocus();  // the upper grid's focus fills the lower one
  ASSERT_EQ(f.vaSpread2->MaxRows(), 3);
  EXPECT_EQ(Column(f.vaSpread2, 1), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(f.vaSpread2->CellValue(2, 7), "9,000");
  const long grey = orv::colors::Rgb(128, 128, 128), lightBlue = orv::colors::Rgb(128, 128, 255);
  EXPECT_EQ(f.vaSpread2->HighlightColor(), grey);
  QTest::keyClick(f.vaSpread1->table(), Qt::Key_F4);
  EXPECT_TRUE(f.vaSpread2->table()->hasFocus());
  EXPECT_EQ(f.vaSpread2->HighlightColor(), lightBlue);
  f.vaSpread2->SetActiveCell(2, 1);
  QTest::keyClick(f.vaSpread2->table(), Qt::Key_F8);
  EXPECT_EQ(Column(f.vaSpread2, 2), (QStringList{"1", "0", "0"}));  // the "S" box
  EXPECT_EQ(f.vaSpread2->table()->item(0, 1)->checkState(), Qt::Checked);
  f.vaSpread2->SetActiveCell(2, 2);  // the line with an empty size text
  QTest::keyClick(f.vaSpread2->table(), Qt::Key_F8);
  const QStringList entries = gsBdlPrnText.split("'");
  ASSERT_EQ(entries.size(), 2);
  EXPECT_EQ(entries[0], orv::checkout::WatDeliveryLine("Goods1", "1kg", "2"));
  EXPECT_EQ(LenAnsi(entries[1]), 40);
  QTest::keyClick(f.vaSpread2->table(), Qt::Key_F8);
  f.vaSpread2->SetActiveCell(2, 1);
  QTest::keyClick(f.vaSpread2->table(), Qt::Key_F8);
  EXPECT_TRUE(gsBdlPrnText.isEmpty());
  EXPECT_EQ(Column(f.vaSpread2, 2), (QStringList{"0", "0", "0"}));

  // Back up with F4: the lower grid greys, and the upper grid's focus refills it unmarked.
  QTest::keyClick(f.vaSpread2->table(), Qt::Key_F8);
  QTest::keyClick(f.vaSpread2->table(), Qt::Key_F4);
  EXPECT_TRUE(f.vaSpread1->table()->hasFocus());
  EXPECT_EQ(f.vaSpread2->HighlightColor(), grey);
  EXPECT_EQ(Column(f.vaSpread2, 2), (QStringList{"0", "0", "0"}));
  EXPECT_TRUE(gsBdlPrnText.isEmpty());

  f.vaSpread1->SetActiveCell(1, 1);
  QTest::keyClick(f.vaSpread1->table(), Qt::Key_Return);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(gtWatChit.ChtNo, 1);
  EXPECT_EQ(gtWatGods.SeqNo[1], 1);
  EXPECT_EQ(gtWatGods.SeqNo[3], 3);
  EXPECT_EQ(gtWatGodsSpeed.Text[2], "row2");
}

TEST_P(HeldList, OverLongChitsAreRefusedWithTheRecordsUntouched) {
  Held("WatChitT", "Wct", 1, "093015");
  Lines("WatGodsT", "Wcg", 1, 151);
  orv::dialogs::Script script;
  frmWait f;
  ASSERT_TRUE(f.Form_Load());
  f.Recall(1);
  EXPECT_EQ(script.Texts(), QStringList{"150줄을 넘는 전표는 불러올 수 없습니다"});
  EXPECT_EQ(gtWatChit.ChtNo, 0);
  EXPECT_TRUE(gtWatGods.GdsKey[1].IsZero());
}

TEST_P(HeldList, ADeliveryChitPrintsEachTimeAndLeavesOneRecord) {
  Held("WatChitT", "Wct", 1, "093015", 77);
  Lines("WatGodsT", "Wcg", 1, 2);
  giSetPrint = 1;
  int prints = 0;
  bool ok = true;
  orv::checkout::SetWatDeliveryPrinter(
      [&](Currency cst, const QString &date, int32_t no, Currency hab, int16_t) {
        ++prints;
        EXPECT_EQ(cst, Currency::Won(77));
        EXPECT_EQ(date, "20240315");
        EXPECT_EQ(no, 1);
        EXPECT_EQ(hab, Currency::Won(4500));
        gtCstCode.CcdKey = Currency::Won(77);  // the print loads the chit's customer
        gtCstCode.CcdNo = Currency::Won(77);
        gtCstCode.CcdName = "Kim's";
        gtCstCode.CcdEMail = "k@x";
        return ok;
      });
  gtCstCode.CcdName = "On the sale";
  auto printOnce = [&] {
    frmWait f;
    ASSERT_TRUE(f.Form_Load());
    f.show();
    f.vaSpread1->SetActiveCell(1, 1);
    f.LoadWatGods();
    f.vaSpread2->table()->setFocus();
    QTest::keyClick(f.vaSpread2->table(), Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
  };
  printOnce();
  printOnce();
  EXPECT_EQ(prints, 2);
  EXPECT_EQ(Count(goDbMain, "DlvChit2403"), 1);
  EXPECT_EQ(Count(goDbMain, "DlvChit2403", "DlvName='Kim''s[k@x]' AND DlvPosNo=3 AND DlvNo=1"), 1);
  EXPECT_EQ(gtCstCode.CcdName, "On the sale");

  // Another checkout's record under the same number is told, not passed over in silence.
  goDbMain.Execute("Update DlvChit2403 Set DlvPosNo=8");
  orv::dialogs::Script script;
  printOnce();
  ASSERT_EQ(script.Texts().size(), 1);
  EXPECT_TRUE(script.Texts()[0].startsWith("다른 POS(8)의 같은 번호 배달기록이 있습니다"));

  // A print that failed writes no record.
  goDbMain.Execute("Delete From DlvChit2403");
  ok = false;
  printOnce();
  EXPECT_EQ(Count(goDbMain, "DlvChit2403"), 0);
}

TEST_P(HeldList, TheDeliveryListRecallsByDateAndNumber) {
  Held("BdlChit", "Bct", 1, "090507", 0, 3, 9, "20240131");   // other cashier, earlier day
  Held("BdlChit", "Bct", 2, "100000");
  Held("BdlChit", "Bct", 3, "110000", 0, 4);                  // another POS
  Held("BdlChit", "Bct", 4, "120000", 0, 3, 5, "20240315", 1);  // Sss2
  Held("BdlChit", "Bct", 5, "130000");                        // no goods: a blank row
  Lines("BdlGods", "Bcg", 1, 2, "20240131");
  Lines("BdlGods", "Bcg", 2, 3);
  frmBdlChit f;
  ASSERT_TRUE(f.Form_Load());
  EXPECT_EQ(f.windowTitle(), "배달전표 조회");
  EXPECT_EQ(Column(f.vaSpread1, 5), (QStringList{"", "2", "1"}));
  EXPECT_EQ(f.vaSpread1->CellValue(3, 1), "2024.01.31");
  EXPECT_EQ(f.vaSpread1->CellValue(3, 2), "09:05:07");
  f.show();
  f.vaSpread1->SetActiveCell(1, 2);
  QTest::keyClick(f.vaSpread1->table(), Qt::Key_Return);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(gtBdlChit.ChtNo, 2);
  EXPECT_EQ(gtBdlGods.SeqNo[3], 3);
  EXPECT_EQ(gtBdlGodsSpeed.Text[1], "row1");
  EXPECT_EQ(gtWatChit.ChtNo, 0);
}

// Unless another printer is put in, the list prints through the delivery printout: the
// chit reaches the receipt printer (its stand-in file here) with the marked line and the
// held chit's goods, and its delivery record is written.
TEST_P(HeldList, WithoutAnotherPrinterTheDeliveryChitReachesThePrinter) {
  namespace store = orv::settings_store;
  Held("WatChitT", "Wct", 7, "093015", 77);
  Lines("WatGodsT", "Wcg", 7, 2);
  giSetPrint = 1;
  gsSetPrnPort = "LPT1";
  gsSetPrnDevice.clear();
  store::SaveSetting("giBadalPrintSu", "1");
  store::SaveSetting("giBadalPrintGds", "1");
  const QString out = orv::datafolder::Path("LPT1.prn");
  QFile::remove(out);
  {
    frmWait f;
    ASSERT_TRUE(f.Form_Load());
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QApplication::setActiveWindow(&f);
    f.vaSpread1->table()->setFocus();
    f.vaSpread2->table()->setFocus();
    f.vaSpread2->SetActiveCell(1, 2);
    QTest::keyClick(f.vaSpread2->table(), Qt::Key_F8);
    // A real double click: a click, then the second press.
    QWidget *vp = f.vaSpread2->table()->viewport();
    const QPoint line2 = f.vaSpread2->table()->visualItemRect(f.vaSpread2->table()->item(1, 2)).center();
    QTest::mouseClick(vp, Qt::LeftButton, {}, line2);
    QTest::mouseDClick(vp, Qt::LeftButton, {}, line2);
    EXPECT_FALSE(f.isVisible());
  }
  store::SaveSetting("giBadalPrintSu", "");
  store::SaveSetting("giBadalPrintGds", "");
  QFile file(out);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString printed = orv::codepage::Decode(file.readAll());
  EXPECT_EQ(printed.count(QStringLiteral("배 달 전 표")), 1);  // one copy, as set
  EXPECT_TRUE(printed.contains(QStringLiteral("배 달 전 표(배송용)")));
  EXPECT_TRUE(printed.contains(QStringLiteral("전 표 번 호: 000007")));
  EXPECT_TRUE(printed.contains(QStringLiteral("성명(상호) : Kim(")));
  EXPECT_TRUE(printed.contains(QStringLiteral("내용: 카드판매")));  // a held chit's printout
  EXPECT_TRUE(printed.contains(orv::checkout::WatDeliveryLine("Goods2", "", "2").left(20)));
  EXPECT_TRUE(printed.contains(QStringLiteral("Goods1[1kg]")));  // the chit's goods lines
  EXPECT_EQ(Count(goDbMain, "DlvChit2403", "DlvNo=7 AND DlvName='Kim'"), 1);
}

// A screen: one SQLite set-up (its statements are the same text on every engine).
INSTANTIATE_TEST_SUITE_P(Setups, HeldList,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true}),
                         chittest::SetupName);
