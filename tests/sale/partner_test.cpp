#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "core/helpers.h"
#include "core/options.h"
#include "lookup/frmTrsHelp.h"
#include "lookup/help_globals.h"
#include "platform/grid.h"
#include "platform/list_grid.h"
#include "sale_screen_fixture.h"

using namespace orv;
using dialogs::Script;
using saletest::SaleScreenTest;

TEST_F(SaleScreenTest, PartnerNumberLoadsThePartnerAndLogsIt) {
  Login();
  frmMain &m = *main_;
  Script s;
  struct {
    const char *typed, *box, *name, *event;
  } cases[] = {
      {"1002", "1002", "중앙식당", "1002,중앙식당"},
      // Not held: the box empties, the former name stays and is logged.
      {"99999", "", "중앙식당", ",중앙식당"},
      {"", "88000", "일반소매", "88000,일반소매"},
      // Typed text never reaches the statement: only its leading number is looked up, and
      // the quote is logged as typed.
      {"1002' OR '1'='1", "1002' OR '1'='1", "중앙식당", "1002' OR '1'='1,중앙식당"},
  };
  int rows = EventRows(103);
  for (const auto &c : cases) {
    m.txtTrsNo->setText(QString::fromUtf8(c.typed));
    m.txtTrsNo_LostFocus();
    EXPECT_EQ(m.txtTrsNo->text(), QString::fromUtf8(c.box)) << c.typed;
    EXPECT_EQ(m.lblTrsName->text(), QString::fromUtf8(c.name)) << c.typed;
    QString text;
    EXPECT_EQ(EventRows(103, &text), ++rows);
    EXPECT_EQ(text, QString::fromUtf8(c.event)) << c.typed;
  }
  EXPECT_TRUE(goDbMain.TableExists("TrsCode"));
}

TEST_F(SaleScreenTest, PartnerFromTheChooserIsLoggedTwiceAndShowsItsPriceKind) {
  Login();
  frmMain &m = *main_;
  Script s;
  s.OnForm("frmTrsHelp", [](QWidget &f) {
    EXPECT_EQ(giHelpMode, 1);
    EXPECT_EQ(giHelpSubMode, 2);
    auto &t = static_cast<frmTrsHelp &>(f);
    for (int r = 1; r <= t.vaSpread1->MaxRows(); ++r)
      if (t.vaSpread1->CellValue(r, 2) == QStringLiteral("중앙식당")) t.vaSpread1->SetActiveCell(1, r);
    QTest::keyClick(t.vaSpread1->view(), Qt::Key_F3);  // its price labels set the kind
    QTest::keyClick(t.vaSpread1->view(), Qt::Key_Return);
  });
  SetCellText(m.vaSpread1, 1, ColCode, "typed");
  m.vaSpread1->SetActiveCell(ColCode, 1);
  const int before = EventRows(103);
  m.TrsHelpCmd->click();
  EXPECT_EQ(m.txtTrsNo->text(), "1002");
  EXPECT_EQ(EventRows(103), before + 2);
  EXPECT_EQ(m.Combo1->currentText(), QStringLiteral("판매#C가격"));
  EXPECT_EQ(glGaSel, 3);
  EXPECT_EQ(m.vaSpread1->CellValue(1, ColCode), "");  // the code cell is cleared
  EXPECT_TRUE(m.TrsHelpCmd->isEnabled());
}

TEST_F(SaleScreenTest, PartnerBoxSetsThePriceKindWithFunctionKeys) {
  Login();
  frmMain &m = *main_;
  Script s;
  QTest::keyClick(m.txtTcdNo, Qt::Key_F3);
  EXPECT_EQ(glGaSel, 3);
  QTest::keyClick(m.txtTcdNo, Qt::Key_Return);  // empty: nothing
  EXPECT_TRUE(m.fraTrs->isVisibleTo(&m));
  m.txtTcdNo->setText("1002");
  QTest::keyClick(m.txtTcdNo, Qt::Key_Return);
  EXPECT_FALSE(m.fraTrs->isVisibleTo(&m));
  EXPECT_EQ(m.lblTrsName->text(), QStringLiteral("중앙식당"));
  EXPECT_EQ(m.Combo1->currentText(), QStringLiteral("판매#C가격"));

  // F8 is kind 0: the chooser then shows no entry.
  m.fraTrs->show();
  QTest::keyClick(m.txtTcdNo, Qt::Key_F8);
  EXPECT_EQ(glGaSel, 0);
  QTest::keyClick(m.txtTcdNo, Qt::Key_Return);
  EXPECT_EQ(m.Combo1->currentIndex(), -1);
  m.fraTrs->show();
  QTest::keyClick(m.txtTcdNo, Qt::Key_Escape);
  EXPECT_FALSE(m.fraTrs->isVisibleTo(&m));
}

TEST_F(SaleScreenTest, CustomerBoxOpensTheChooserOnlyForAFoundCustomer) {
  Login();
  frmMain &m = *main_;
  int chooser = 0;
  Script s;
  s.OnForm("frmCust", [&chooser](QWidget &f) {
    ++chooser;
    static_cast<QDialog &>(f).reject();  // cancelled
  });
  auto openBox = [&m] {
    m.fraTrs->hide();
    m.fraCST->show();
    m.vaSpread1->setEnabled(false);
  };
  openBox();
  QTest::keyClick(m.txtCstNo, Qt::Key_F2);
  EXPECT_TRUE(m.CstSeltOpt[2]->isChecked());
  EXPECT_EQ(GetEnvInt(gsLogID, "PosCstFrm"), 2);
  EXPECT_TRUE(m.CstSeekLbl->text().startsWith(QStringLiteral("[검색문자]고객번호일치,")));

  for (const char *typed : {"", "9999"}) {
    m.txtCstNo->setText(typed);
    QTest::keyClick(m.txtCstNo, Qt::Key_Return);
    EXPECT_FALSE(m.fraCST->isVisibleTo(&m));
    EXPECT_TRUE(m.vaSpread1->isEnabled());
    openBox();
  }
  EXPECT_EQ(chooser, 0);

  // A cancelled chooser enters nothing and writes no customer event.
  m.txtCstNo->setText("1001");
  QTest::keyClick(m.txtCstNo, Qt::Key_Return);
  EXPECT_EQ(chooser, 1);
  EXPECT_EQ(m.vaSpread1->CellValue(1, ColCode), "");
  EXPECT_EQ(EventRows(101), 0);
  EXPECT_TRUE(gsCstFindSql.isEmpty());
  EXPECT_FALSE(m.fraCST->isVisibleTo(&m));
}

TEST_F(SaleScreenTest, GoodsEditPasswordBoxKeepsWhatWasTyped) {
  Login();
  frmMain &m = *main_;
  Script s;
  m.fraNumber->show();
  m.txtNumber->setText("wrong");
  QTest::keyClick(m.txtNumber, Qt::Key_Return);
  EXPECT_FALSE(m.fraNumber->isVisibleTo(&m));
  EXPECT_EQ(gsGdsEditPass, "wrong");
  // The POS number box only displays.
  QTest::keyClicks(m.txtPosNo, "77");
  EXPECT_EQ(m.txtPosNo->text(), "1");
}
