#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "closing/closing_reset.h"
#include "closing/frmCoinComp.h"
#include "closing/frmInitGum.h"
#include "closing/frmMidInput.h"
#include "closing/frmTemSave.h"
#include "closing/frmTerminate.h"
#include "closing_fixture.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/grid.h"

using namespace orv::closing;
using closingtest::ClosingFixture;
using orv::Currency;
namespace ss = orv::settings_store;

namespace {

Currency W(int64_t v) { return *Currency::FromWhole(v); }

class ClosingDialogs : public ClosingFixture {
 protected:
  Currency Money(const QString &sql) { return NzCur(goDbPos.OpenRecordset(sql).Field(0)); }
};

TEST_P(ClosingDialogs, OpeningCashReplacesTheRowAndLogsTheChange) {
  PlantDay();
  frmTerminate screen;
  screen.Form_Activate();
  orv::dialogs::Script s;
  s.OnForm("frmInitGum", [](QWidget &w) {
    auto *box = w.findChild<QLineEdit *>("txtInitGum");
    QTest::keyClicks(box, "15a0.");
    EXPECT_EQ(box->text(), "150") << "a letter and the point vanish";
    box->setText("150000");
    EXPECT_EQ(box->text(), "150,000");
    QTest::keyClick(box, Qt::Key_Return);
  });
  screen.cmdInitGum_Click();
  EXPECT_EQ(Count(goDbPos, "InitGum", "IntPosNo = 3"), 1);
  EXPECT_EQ(Money("SELECT IntInitGum FROM InitGum WHERE IntPosNo = 3"), W(150000));
  EXPECT_EQ(Money("SELECT IntNGum FROM InitGum WHERE IntPosNo = 3"), W(137000));
  EXPECT_EQ(Money("SELECT IntBGum FROM InitGum WHERE IntPosNo = 3"), W(87000));
  EXPECT_EQ(Count(goDbPos, "InitGumLog",
                  "IntSeqNo = 6 AND IntGuBun = 0 AND IntGuBun1 = 1 AND IntNGum = 137000"),
            1);
  EXPECT_EQ(screen.txtInitGum->text(), "150,000");
  EXPECT_EQ(screen.txtNowMoney->text(), "137,000");

  // A failed save rolls back both rows and says so.
  goDbPos.Execute("DROP TABLE InitGumLog");
  frmInitGum form;
  form.txtInitGum->setText("1");
  orv::dialogs::Script fail;
  EXPECT_FALSE(form.SaveInitGum());
  ASSERT_EQ(fail.Log().size(), 1);
  EXPECT_EQ(fail.Log()[0].title, "저장실패");
  EXPECT_TRUE(fail.Log()[0].text.startsWith("오류번호:"));
  EXPECT_EQ(Money("SELECT IntInitGum FROM InitGum WHERE IntPosNo = 3"), W(150000));
}

TEST_P(ClosingDialogs, DepositsAreEnteredRefusedAndDeletedByTheirKey) {
  PlantDay();
  frmMidInput form;
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  ASSERT_TRUE(form.LoadMidDeposits());
  EXPECT_EQ(form.vaSpread1->MaxRows(), 1) << "this POS's open deposits only";
  EXPECT_EQ(form.txtInitGum->text(), "100,000");
  EXPECT_EQ(form.txtHabGum->text(), "33,000");
  EXPECT_EQ(form.txtNowGum->text(), "100,000");  // 100,000 + 33,000 − 1,000 − 2,000 − 30,000

  form.txtMidGum->setText("200000");
  {
    orv::dialogs::Script s;
    form.txtMidGum_Enter();
    EXPECT_EQ(s.Texts(), QStringList{"입금금액이 현재잔액보다 클수없습니다."});
  }
  // Written on another day than the work date: the delete still names its row.
  orv::clock::SetFixed(QDateTime(QDate(2025, 1, 16), QTime(8, 0, 0)));
  form.txtMidGum->clear();
  form.txtMidGum->setFocus();
  QTest::keyClicks(form.txtMidGum, "5");
  QTest::keyClick(form.txtMidGum, Qt::Key_Period);
  EXPECT_EQ(form.txtMidGum->text(), "5,000");
  {
    orv::dialogs::Script s;
    s.Yes();
    QTest::keyClick(form.txtMidGum, Qt::Key_Return);
  }
  EXPECT_EQ(Count(goDbPos, "InitGumLog",
                  "IntSeqNo = 6 AND IntDate = '20250115' AND IntWrtdate = '20250116' AND "
                  "IntMidGum = 5000 AND IntNGum = 95000 AND IntGuBun1 = 2"),
            1);
  ASSERT_EQ(form.vaSpread1->MaxRows(), 2);
  EXPECT_EQ(form.txtNowGum->text(), "95,000");
  form.vaSpread1->SetActiveCell(1, 2);
  {
    orv::dialogs::Script s;
    s.Yes();
    form.cmdDelete_Click();
    EXPECT_EQ(s.Log()[0].text, "줄2을 삭제하시겠습니까??");
  }
  EXPECT_EQ(Count(goDbPos, "InitGumLog", "IntSeqNo = 6 AND IntGuBun1 = 3"), 1);
  EXPECT_EQ(Count(goDbPos, "InitGumLog", "IntGuBun1 = 3"), 2);
  EXPECT_EQ(form.vaSpread1->MaxRows(), 1);

  // Typing keeps digits and the sign, at most twelve digits; "=" adds two zeros.
  form.txtMidGum->setText("-12a3");
  EXPECT_EQ(form.txtMidGum->text(), "-123");
  form.txtMidGum->setText("1234567890123");
  EXPECT_EQ(form.txtMidGum->text(), "123,456,789,012");
  form.txtMidGum->setText("12");
  form.txtMidGum->setFocus();
  QTest::keyClick(form.txtMidGum, Qt::Key_Equal);
  EXPECT_EQ(form.txtMidGum->text(), "1,200");
}

TEST_P(ClosingDialogs, DrawerCountsPersistInTheSettings) {
  ss::SaveSetting("giSetCoin100", "4");
  {
    frmCoinComp form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.txt[6]->text(), "4");
    EXPECT_EQ(form.lblTotal->text(), "400");
    form.txt[1]->setText("3");
    form.txt[4]->setText("7");
    form.txt[8]->setText("1.5");
    EXPECT_EQ(form.txt[8]->text(), "2") << "halves to even";
    form.txt[6]->setText("0");
    EXPECT_EQ(form.txt[6]->text(), "");
    EXPECT_EQ(form.lbl[1]->text(), "150,000");
    EXPECT_EQ(form.lblTotal1->text(), "150,000");
    EXPECT_EQ(form.lblTotal2->text(), "7,020");
    EXPECT_EQ(form.lblTotal->text(), "157,020");
    form.txt[8]->setFocus();
    QTest::keyClick(form.txt[8], Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), form.txt[0]) << "Enter on 10 goes round to 100,000";
    QTest::keyClick(form.txt[0], Qt::Key_Up);
    EXPECT_EQ(form.focusWidget(), form.txt[8]);
    form.reject();
  }
  EXPECT_EQ(ss::GetSetting("giSetCoin50000"), "3");
  EXPECT_EQ(ss::GetSetting("giSetCoin10"), "2");
  EXPECT_EQ(ss::GetSetting("giSetCoin100"), "");
  frmCoinComp again;
  again.show();
  again.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&again));
  QTest::keyClick(again.txt[3], Qt::Key_F4);
  EXPECT_EQ(again.lblTotal->text(), "");
  again.reject();
  for (int i = 0; i < kCoinKinds; ++i) EXPECT_EQ(ss::GetSetting(CoinKey(i)), "");
}

TEST_P(ClosingDialogs, ASavedClosingLoadsAsItWasShownFromAnotherMonth) {
  PlantDay();
  ClosingContext ctx = WorkDateContext();
  ProbeClosingContext(ctx);
  const ClosingFigures shown = ReadOpenFigures(ctx);
  {
    frmTemSave save(ctx);
    ASSERT_TRUE(save.ProposeNumber());
    EXPECT_EQ(save.txtTemChtNo->text(), "1");
    save.txtTemBigo->setText(QString::fromUtf8("O'Neil 마감 두번째 계산입니다 여기까지요"));
    EXPECT_LE(save.txtTemBigo->text().toLocal8Bit().size(), 60);
    orv::dialogs::Script s;
    s.Yes();
    EXPECT_TRUE(save.SaveClosing());
  }
  EXPECT_EQ(Count(goDbPos, "TemChit", "TemDate = '20250115' AND TemChtNo = 1"), 1);
  // Every month of the screen, in date and number order.
  auto rs = goDbPos.OpenRecordset("SELECT TmdPctDate, TmdPctChtNo FROM TemDetail ORDER BY TmdSeq");
  QStringList listed;
  for (; !rs.Eof(); rs.MoveNext())
    listed << rs.Field(0).toString().trimmed() + "/" + rs.Field(1).toString();
  EXPECT_EQ(listed, QStringList({"20241230/1", "20241231/3", "20250115/1", "20250115/2",
                                 "20250115/3"}));
  EXPECT_EQ(Money("SELECT TmiMidGum FROM TemInitGum"), W(50000));
  EXPECT_EQ(Money("SELECT TmiInitGum FROM TemInitGum"), W(100000));
  {
    frmTemSave next(ctx);
    next.ProposeNumber();
    EXPECT_EQ(next.txtTemChtNo->text(), "2");
  }

  // The day closed, a month later: the saved closing still shows its figures.
  orv::dialogs::Script quiet;
  ASSERT_TRUE(CloseCashierChits(shown, ctx).has_value());
  giWrkMonth = 2;
  CreatePanChitTTable({}, 2502);
  CreatePanListTTable({}, 2502);
  CreatePanGodsTTable({}, 2502);
  ClosingContext around = MakeClosingContext("20250115");
  ProbeClosingContext(around);
  ClosingFigures f;
  f.txtDcGum = W(9);
  const SavedClosing saved{"20250115", 1};
  ReadSavedGoodsFigures(around, saved, f);
  ReadSavedInitGumFigures(saved, f);
  ReadSavedOiReturnFigures(around, saved, f);
  ReadSavedPanChitFigures(around, saved, f);
  EXPECT_EQ(f.goods.size(), shown.goods.size());
  EXPECT_EQ(f.txtBanSu, 2);
  EXPECT_EQ(f.txtPctHab, W(33000));
  EXPECT_EQ(f.txtOiReturn, W(7000));
  EXPECT_EQ(f.txtNowMoney, W(87000));
  EXPECT_EQ(f.txtRealMoney, W(66100));
  EXPECT_EQ(f.txtDcGum, W(9)) << "a saved closing leaves the discount box";

  // Through the screen: the pick loads in "L"; a hand-edited key picks nothing.
  frmTerminate screen;
  screen.Form_Activate();
  EXPECT_EQ(screen.txtPctHab->text(), "0");
  orv::dialogs::Script pick;
  pick.OnForm("frmTemLoad", [](QWidget &w) {
    auto *load = static_cast<frmTemLoad *>(&w);
    load->dtpWrkDate->setDate(QDate(2025, 1, 1));
    ASSERT_TRUE(load->fcTemChitSerch());
    ASSERT_EQ(load->vaSpread1->MaxRows(), 1);
    EXPECT_EQ(load->vaSpread1->CellValue(1, 1), "2025.01.15");
    load->ChooseRow(1);
  });
  screen.cmdLoad_Click();
  EXPECT_EQ(ss::GetSetting("TemDate"), "20250115");
  EXPECT_EQ(screen.lblLoad->text(), "L");
  EXPECT_EQ(screen.txtPctHab->text(), "33,000");
  EXPECT_EQ(screen.vaSpread1->MaxRows(), int(shown.goods.size()));
  EXPECT_FALSE(ValidSavedClosing("abc", "1").has_value());
  EXPECT_FALSE(ValidSavedClosing("20250115", "0").has_value());
  EXPECT_FALSE(ValidSavedClosing("20250115", "x").has_value());
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingDialogs, ::testing::ValuesIn(closingtest::kOffline),
                         closingtest::SetupName);

}  // namespace
