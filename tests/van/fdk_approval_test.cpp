// The card dialog through the First Data agent program (the simulator), end to end.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "card_dialog_fixture.h"
#include "test_support.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
using orv::Currency;

namespace {

class FdkApproval : public vantest::FdkDialogTest {
 protected:
  // The journal's calls by name.
  QStringList Journal() {
    QStringList verbs;
    for (const QString &l : child_->Journal()) verbs << l.left(l.indexOf(' '));
    return verbs;
  }
};

TEST_F(FdkApproval, ApprovesAndLeavesThreeRows) {
  Start();
  Approve(15000, "3");
  EXPECT_TRUE(closed_);
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "30000001");
  EXPECT_EQ(gtCardRet.CardNo, "941012******1234");
  EXPECT_EQ(gtCardRet.MeipCode, "0001");
  EXPECT_EQ(gtCardRet.Halbu, 3);
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(15000));
  EXPECT_EQ(gcSetCdCount, Currency::Won(1));
  EXPECT_EQ(LogTexts(), (QStringList{"FDK_WIN4POS : 00015000", "FDK_WIN4POS_OutRet",
                                     "FDK_WIN4POS_Execute_Ok"}));
}

TEST_F(FdkApproval, DeclineSilenceAndADeadAgentEachShowTheirBox) {
  const struct {
    const char *name;
    const char *months;
    bool start;
    const char *code;
    int rows;
  } cases[] = {
      {"declined", "99", true, "8099", 3},
      {"silent", "98", true, "9999", 3},
      {"no agent", "00", false, "9998", 1},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    if (c.start) {
      Start();
    } else {
      orv::van::CurrentCardAgent().Destroy();
    }
    dlg::Script s;
    Approve(15000, c.months);
    EXPECT_FALSE(closed_) << c.name;
    EXPECT_EQ(giCardOk, 0) << c.name;
    EXPECT_TRUE(gtCardRet.CmitNo.isEmpty()) << c.name;
    ASSERT_EQ(s.Log().size(), 1) << c.name;
    EXPECT_EQ(s.Log()[0].title, "카드재승인요청") << c.name;
    EXPECT_TRUE(s.Log()[0].text.contains(QString("ErrCode [ ") + c.code)) << c.name;
    if (QString(c.name) == "silent") {
      EXPECT_TRUE(s.Log()[0].text.contains(orv::van::NoReplyText())) << c.name;
    }
    EXPECT_EQ(LogTexts().size(), c.rows) << c.name;
    EXPECT_EQ(LogTexts().last(), "FDK_WIN4POS_Execute_Err") << c.name;
  }
}

TEST_F(FdkApproval, AFailedStatusCallsOnlyTerm) {
  Scenario("status=-3\n");
  Start();
  dlg::Script s;
  Approve(15000, "00");
  EXPECT_EQ(Journal(), (QStringList{"STATUS", "TERM"}));
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_TRUE(s.Log()[0].text.contains("FDK_WIN4POS_Status()"));
}

TEST_F(FdkApproval, ALateReplyIsDroppedAndTheNextApprovalGoesThrough) {
  Scenario("late=600\n");
  Start();
  {
    dlg::Script s;
    Approve(15000, "00");
    EXPECT_EQ(giCardOk, 0);
  }
  orv::van::Pause(700);  // the late reply arrives now
  Approve(15000, "00");
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "30000001");
}

TEST_F(FdkApproval, ZeroPayKeepsItsBarcodeAndARowThatCannotBeKeptIsNamedNotUndone) {
  Start();
  dlg::Script s;
  s.OnForm("KzScanFrm", [](QWidget &w) {
    w.findChild<QLineEdit *>("BarScanTxt")->setText(" 8000123456789012345 ");
    static_cast<QDialog &>(w).findChild<QPushButton *>("BarEnterCmd")->click();
  });
  // The barcode's row exists already: the approval stands and the cashier is told.
  gtCardRet = {};
  {
    gtCardRet.Gum = Currency::Won(9000);
    gtPanChit.PctHab = Currency::Won(9000);
    frmCardChk form;
    form.show();
    QTest::keyClick(&form, Qt::Key_F6);
    EXPECT_EQ(giKzPayKind, 2);
    form.StartFromMonths();
  }
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CardNo, "Z800012345678");
  EXPECT_EQ(ReadKzbBars(2, gtCardRet.CmitDate, gtCardRet.CmitNo), "8000123456789012345");

  QString same = "X";
  WriteKzbBars(2, gtCardRet.CmitDate, "30000002", same);
  {
    gtCardRet.Gum = Currency::Won(9000);
    frmCardChk form;
    form.show();
    QTest::keyClick(&form, Qt::Key_F6);
    form.StartFromMonths();
  }
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "30000002");
  ASSERT_EQ(s.Log().size(), 3);  // two scans and the box
  EXPECT_EQ(s.Log()[2].title, "카드기록 실패");
  EXPECT_TRUE(s.Log()[2].text.contains("30000002"));
}

}  // namespace
