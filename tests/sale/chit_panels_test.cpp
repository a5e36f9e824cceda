#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "chit/saver_state.h"
#include "platform/colors.h"
#include "platform/grid.h"
#include "sale/goods_lookup.h"
#include "sale_screen_fixture.h"

using namespace orv;
using dialogs::Script;
using saletest::SaleScreenTest;

namespace {

class ChitPanelsTest : public SaleScreenTest {
 protected:
  void SetUp() override {
    SaleScreenTest::SetUp();
    if (HasFatalFailure()) return;
    Login();
    if (HasFatalFailure()) return;
    main_->show();
    main_->activateWindow();
    QApplication::processEvents();
  }
  frmMain &m() { return *main_; }
  void PutLine() {
    ASSERT_GT(FindGdsByBarcode("8801043014809"), 0);
    ASSERT_TRUE(m().PutGdsRow(1, {}));
  }
  static long Fore(QWidget *w) { return colors::ToBgr(w->palette().color(QPalette::WindowText)); }
  void Key(QWidget *w, Qt::Key k) {
    QTest::keyClick(w, k);
    QApplication::processEvents();
  }
};

}  // namespace

TEST_F(ChitPanelsTest, NumberPanelsCloseOnEscAndIgnoreAnEmptyEnter) {
  Script s;
  struct Panel {
    void (frmMain::*open)();
    QFrame *frmMain::*frame;
    QLineEdit *frmMain::*box;
  } panels[] = {{&frmMain::ShowChtNoPanel, &frmMain::fraChtNo, &frmMain::txtChtNo},
                {&frmMain::ShowCardPanel, &frmMain::fraCard, &frmMain::txtCommitNo}};
  PutLine();
  for (const Panel &p : panels) {
    QFrame *frame = m().*p.frame;
    QLineEdit *box = m().*p.box;
    box->setText("old");
    (m().*p.open)();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(m().vaSpread1->isEnabled());
    EXPECT_TRUE(box->text().isEmpty());
    box->setText("  ");
    Key(box, Qt::Key_Return);
    EXPECT_TRUE(frame->isVisible());
    Key(box, Qt::Key_Escape);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(m().vaSpread1->isEnabled());
    EXPECT_EQ(m().vaSpread1->CellValue(1, ColGdsKey), "1");  // the grid is untouched
  }
}

TEST_F(ChitPanelsTest, EveryRecallDropsThePickedCreditChit) {
  Script s;
  for (QLineEdit *frmMain::*box : {&frmMain::txtChtNo, &frmMain::txtCommitNo}) {
    PutLine();
    giOisangPick = 1;
    glOisangChtNo = 20005;
    if (box == &frmMain::txtChtNo)
      m().ShowChtNoPanel();
    else
      m().ShowCardPanel();
    (m().*box)->setText("987654");
    Key(m().*box, Qt::Key_Return);
    EXPECT_EQ(giOisangPick, 0);
    EXPECT_EQ(glOisangChtNo, 0);
    EXPECT_EQ(colors::ToBgr(m().lblOiip->palette().color(QPalette::Window)), colors::kWhite);
    EXPECT_TRUE(m().vaSpread1->CellValue(1, ColGdsKey).isEmpty());  // a number without a chit
    EXPECT_TRUE(m().vaSpread1->isEnabled());
  }
}

TEST_F(ChitPanelsTest, RewritePanelOptionsKeysAndButtons) {
  Script s;
  PutLine();
  m().ShowChtNoXPanel();
  EXPECT_TRUE(m().fraChtNoX->isVisible());
  EXPECT_TRUE(m().vaSpread2->isVisible());
  EXPECT_TRUE(m().ChtWrite1Opt->isChecked());
  EXPECT_FALSE(m().cmdSave->isEnabled());
  const long blue = colors::Rgb(0, 0, 255);
  EXPECT_EQ(Fore(m().ChtWrite1Opt), blue);
  EXPECT_EQ(Fore(m().ChtWrite0Opt), colors::kBlack);
  Key(m().txtChtNoX, Qt::Key_F1);
  EXPECT_TRUE(m().ChtWrite0Opt->isChecked());
  EXPECT_EQ(Fore(m().ChtWrite0Opt), blue);
  EXPECT_EQ(Fore(m().ChtWrite1Opt), colors::kBlack);
  Key(m().txtChtNoX, Qt::Key_F2);
  EXPECT_TRUE(m().ChtWrite1Opt->isChecked());

  // A number that finds no chit: nothing to save, the box ready for the next try.
  m().txtChtNoX->setText("4321");
  Key(m().txtChtNoX, Qt::Key_Return);
  EXPECT_FALSE(m().cmdSave->isEnabled());
  EXPECT_TRUE(m().txtChtNoX->text().isEmpty());
  EXPECT_TRUE(m().fraChtNoX->isVisible());

  // X closes and keeps what the grid shows.
  PutLine();
  giChtEditMode = 1;
  m().cmdExt->click();
  EXPECT_EQ(giChtEditMode, 0);
  EXPECT_FALSE(m().fraChtNoX->isVisible());
  EXPECT_TRUE(m().vaSpread1->isEnabled());
  EXPECT_EQ(m().vaSpread1->CellValue(1, ColGdsKey), "1");

  // Esc closes and leaves the mode.
  m().ShowChtNoXPanel();
  giChtEditMode = 1;
  Key(m().txtChtNoX, Qt::Key_Escape);
  EXPECT_FALSE(m().fraChtNoX->isVisible());
  EXPECT_EQ(giChtEditMode, 1);
}
