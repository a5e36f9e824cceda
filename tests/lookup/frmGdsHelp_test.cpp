#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "core/options.h"
#include "lookup/GdsHelpFrm.h"
#include "lookup/TrsHelpFrm.h"
#include "lookup/frmGdsHelp.h"
#include "lookup_fixture.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"

using namespace orv;
using dialogs::Script;

namespace {

TEST(ParseGdsHelpInput, Kinds) {
  const struct {
    const char *in;
    int ret;
    const char *text;
  } cases[] = {
      {"5", 0, ""},           {"0123", 0, ""},         {"12345", 2, "12345"},
      {"1 2 3 4 5", 2, "1 2 3 4 5"},                   {"라면", 1, "라면"},
      {"3라면", 1, "라면"},   {"'라면'", 1, "라면"},   {"+상회", 3, "상회"},
      {"상회-", 4, "상회"},   {"+상회-", 4, "+상회"},  {"+123", 1, "+"},
      {"상회+", 3, "상회"},   {"-", 1, "-"},
  };
  for (const auto &c : cases) {
    ParseGdsHelpInput(QString::fromUtf8(c.in));
    EXPECT_EQ(giGdsHelpRet, c.ret) << c.in;
    EXPECT_EQ(gsGdsHelpText, QString::fromUtf8(c.text)) << c.in;
  }
}

class GdsPopupTest : public lookuptest::LookupDb {
 protected:
  void Demo() {
    Partner(1, 88000, "상회", 0);
    Goods(1, 1000010001, "마늘", "8801234567890", "1kg", 1);
    Goods(2, 1000010002, "Milk", "1239", "");
    Goods(3, 1000010003, "무", {}, "");
    Goods(4, 1000010004, "바나나", "4123", "");
    Goods(5, 1000010005, "멸치", "5555", "");
  }
  QStringList Listed(frmGdsHelp &f) {
    QStringList out;
    for (int r = 1; r <= f.vaSpread1->MaxRows(); ++r) out << f.vaSpread1->CellValue(r, 2);
    return out;
  }
};

TEST_P(GdsPopupTest, RangesBarcodesAndTakingARow) {
  if (IsSkipped()) return;
  Demo();
  frmGdsHelp f;
  f.show();
  f.gdsTxt->setText("5");
  QTest::keyClick(f.gdsTxt, Qt::Key_Return);
  EXPECT_EQ(Listed(f), (QStringList{"마늘", "멸치", "무"}));
  EXPECT_EQ(f.vaSpread1->CellValue(1, 4), "1000");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 6), "상회");
  f.gdsTxt->setText("0123");
  QTest::keyClick(f.gdsTxt, Qt::Key_Return);
  EXPECT_EQ(Listed(f), (QStringList{"Milk", "마늘", "바나나"}));
  f.gdsTxt->setText("17");  // no clause: every goods item
  QTest::keyClick(f.gdsTxt, Qt::Key_Return);
  EXPECT_EQ(Listed(f).size(), 5);
  EXPECT_EQ(Listed(f).first(), "Milk");  // Latin before Hangul in code-point order
  // Enter on the row of the goods without a barcode hands its number over.
  f.gdsTxt->setText("5");
  QTest::keyClick(f.gdsTxt, Qt::Key_Return);
  f.vaSpread1->SetActiveCell(1, 3);
  f.vaSpread1->setFocus();
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Return);
  EXPECT_EQ(gsGdsHelpCode, "1000010003");
  EXPECT_FALSE(f.isVisible());
}

TEST_P(GdsPopupTest, EnterOnAnEmptyGridClosesWithNothing) {
  if (IsSkipped()) return;
  frmGdsHelp f;
  f.show();
  f.gdsTxt->setText("0");
  QTest::keyClick(f.gdsTxt, Qt::Key_Return);  // 0 does nothing
  EXPECT_TRUE(f.isVisible());
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Return);
  EXPECT_EQ(gsGdsHelpCode, "");
  EXPECT_FALSE(f.isVisible());
}

TEST_P(GdsPopupTest, TextsOpenTheDialogsWithTheProtocolInputs) {
  if (IsSkipped()) return;
  Partner(7, 88000, "상회", 1, "", 5);
  gcTcdKey = *Currency::FromWhole(7);
  Script s;
  QString seen;
  s.OnForm("GdsHelpFrm", [&](QWidget &w) {
    auto &g = static_cast<GdsHelpFrm &>(w);
    // The dialog has loaded: the guard is back at 0, the partner in its caption.
    seen = gsHelpStart + "|" + QString::number(g.DesignatedView()) + "|" +
           gcHelpTrsKey.ToPlainText() + "|" + QString::number(giHelpOpen);
    EXPECT_TRUE(g.windowTitle().endsWith(QString::fromUtf8("( 88000 : 상회 )")));
    g.CancelAction();
  });
  s.OnForm("TrsHelpFrm", [&](QWidget &w) {
    auto &t = static_cast<TrsHelpFrm &>(w);
    seen = "T" + gsHelpStart + QString::number(t.FilterMode());
    t.vaSpread1->SetActiveCell(1, 1);
    t.TakeAction();
  });
  s.OnForm("CstHelpFrm", [&](QWidget &w) {
    seen = "C" + gsHelpStart;
    static_cast<QDialog &>(w).reject();
  });
  {
    frmGdsHelp f;
    f.show();
    f.gdsTxt->setText("라면");
    QTest::keyClick(f.gdsTxt, Qt::Key_Return);
    EXPECT_EQ(seen, "라면|0|7|0");
    EXPECT_EQ(giGdsHelpRet, 1);
    EXPECT_FALSE(f.isVisible());
  }
  {
    frmGdsHelp f;
    f.show();
    QTest::keyClick(f.gdsTxt, Qt::Key_F8);  // the designated-price switch, stored at once
    EXPECT_TRUE(f.ChtTgdsChk->isChecked());
    f.gdsTxt->setText("12345");
    QTest::keyClick(f.gdsTxt, Qt::Key_Return);
    EXPECT_EQ(seen, "~12345~|1|7|0");  // sub-mode 12: the designated-only view
  }
  EXPECT_EQ(GetEnvInt(gsLogID, "MchChitTgsHelp"), 1);
  {
    frmGdsHelp f;  // the switch survives to the next opening
    EXPECT_TRUE(f.ChtTgdsChk->isChecked());
    SetEnvironment(gsLogID, "TrsHelpPriceAutoSelect_Pos", 1);
    f.show();
    f.gdsTxt->setText("+상회");
    QTest::keyClick(f.gdsTxt, Qt::Key_Return);
    EXPECT_EQ(seen, "T상회2");
    EXPECT_EQ(giHelpRet, 1);
    EXPECT_EQ(gcHelpNo, *Currency::FromWhole(88000));
    EXPECT_EQ(giTrsHelpPrice, 5);  // 특판#B
  }
  {
    frmGdsHelp f;
    f.show();
    f.gdsTxt->setText("홍-");
    QTest::keyClick(f.gdsTxt, Qt::Key_Return);
    EXPECT_EQ(seen, "C홍");
  }
  // A busy guard shows nothing and leaves the result at 0.
  giHelpOpen = 1;
  seen.clear();
  frmGdsHelp f;
  f.show();
  f.gdsTxt->setText("라면");
  QTest::keyClick(f.gdsTxt, Qt::Key_Return);
  EXPECT_EQ(seen, "");
  EXPECT_EQ(giHelpRet, 0);
}

TEST_P(GdsPopupTest, AFailedSearchIsShownAndThePopupStaysUsable) {
  if (IsSkipped()) return;
  goDbMain.Execute("DROP TABLE GdsCode");
  Script s;
  s.StrictOk().Ok();
  frmGdsHelp f;
  f.show();
  f.gdsTxt->setText("5");
  QTest::keyClick(f.gdsTxt, Qt::Key_Return);
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts()[0].startsWith("오류번호 : "));
  EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
  EXPECT_TRUE(f.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Engines, GdsPopupTest, ORV_BOTH_ENGINES);

}  // namespace
