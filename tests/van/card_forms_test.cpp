// The card log viewer over a day's rows, the card forms' message window, the cheque
// inquiry's boxes and checks, and the payment-barcode scan with First Data's KakaoPay.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/colors.h"
#include "platform/grid.h"
#include "schema/tables.h"
#include "test_support.h"
#include "van/KzScanFrm.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardCancel.h"
#include "van/frmCardChk.h"
#include "van/frmMsgBox.h"
#include "van/frmSupyoChk.h"

namespace dlg = orv::dialogs;
using orv::Currency;

namespace {

void Show(QWidget &f) {
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
}

class CardForms : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    goDbPos.Open(orvtest::NewSqliteDatabase(dir_->path(), "pos.db"));
    orv::schema::CreateTable(goDbPos, "CardLog");
    giWrkYear = 2024;
    giWrkMonth = 3;
    giWrkDay = 15;
    giSetPosNo = 2;
  }
  void TearDown() override {
    orv::clock::Reset();
    orv::state::ResetProgramState();
  }
  void Row(int16_t pos, const char *time, const QString &data, int16_t kind) {
    giSetPosNo = pos;
    orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime::fromString(time, "HH:mm:ss")));
    CardLogRow(data, kind);
    giSetPosNo = 2;
  }
  std::unique_ptr<QTemporaryDir> dir_;
};

TEST_F(CardForms, ViewerListsTheDayOfThisCheckoutInOrder) {
  giSetVan = 5;
  auto fs = [](const char *t) { return QString::fromUtf8(t).replace('|', QChar(28)); };
  Row(2, "10:00:05", fs("a|b|c|240315|OK|x|VISA|1"), 1);
  Row(2, "10:00:05", fs("a|b|c|1234567890123456789|x|15000"), 0);
  Row(3, "10:00:01", "other checkout", 0);
  Row(2, "10:00:02", "NICE_NICEVCAT : 00005000", 10);
  Row(2, "09:00:00", "SMT_SendToVCat : 00015000", 0);
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 16), QTime(8, 0)));
  CardLogRow("next day", 0);
  frmCardCancel f;
  orv::Grid *g = f.vaSpread1;
  ASSERT_EQ(g->MaxRows(), 3);
  EXPECT_EQ(g->CellValue(1, 7), "SMT_SendToVCat");
  EXPECT_EQ(g->CellValue(1, 4), "15000");
  EXPECT_EQ(g->CellValue(2, 1), "1234567890123456");  // the request before its reply
  EXPECT_EQ(g->CellValue(3, 1), QStringLiteral("승인응답"));
  EXPECT_EQ(g->CellValue(3, 2), "24.03.15");
  EXPECT_EQ(g->CellValue(3, 6), "0001");
  for (int row : {1, 2, 3}) {
    g->SetRow(row);
    g->SetCol(5);
    EXPECT_EQ(g->BackColor() == orv::colors::Rgb(255, 255, 128), row != 3) << row;
  }
  // Another day lists that day.
  f.dtpDate->setDate(QDate(2024, 3, 16));
  EXPECT_EQ(g->MaxRows(), 1);
  EXPECT_EQ(g->CellValue(1, 7), "next day");
}

TEST_F(CardForms, AFailingListingIsToldAndLeavesTheGridEmpty) {
  goDbPos.Execute("Drop Table CardLog");
  dlg::Script s;
  frmCardCancel f;
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("카드승인조회"));
  EXPECT_TRUE(s.Log()[0].text.startsWith(QStringLiteral("오류번호 : ")));
  EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
}

TEST_F(CardForms, MessageWindowShowsOneMessageAtATime) {
  dlg::Script s;
  int shown = 0;
  s.OnForm("frmMsgBox", [&](QWidget &w) {
    auto &m = static_cast<frmMsgBox &>(w);
    ++shown;
    EXPECT_EQ(giMsgBoxOpen, 1);
    EXPECT_EQ(m.windowTitle(), QStringLiteral("재승인요청"));
    EXPECT_EQ(m.MeMsgLbl->text(), QStringLiteral("* 승인을 다시 하세요 !"));
    ShowCardMsgBox(nullptr, "second", "dropped");  // the open window keeps its texts
    EXPECT_EQ(gsMsgBoxTitle, QStringLiteral("재승인요청"));
    QTest::keyClick(m.MeCloseCmd, Qt::Key_Return);
  });
  ShowCardMsgBox(nullptr, QStringLiteral("재승인요청"), QStringLiteral("* 승인을 다시 하세요 !"));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(giMsgBoxOpen, 0);
}

TEST_F(CardForms, MessageWindowClosedByItsCloseBoxOrByTheTicksClick) {
  dlg::Script s;
  s.OnForm("frmMsgBox", [](QWidget &w) { w.close(); });
  ShowCardMsgBox(nullptr, "a", "b");
  EXPECT_EQ(giMsgBoxOpen, 0);
  bool closedByTick = false;
  dlg::Script t;
  t.OnForm("frmMsgBox", [&](QWidget &w) {
    auto &m = static_cast<frmMsgBox &>(w);
    EXPECT_TRUE(m.Timer1->isActive());
    QCursor::setPos(m.MeCloseCmd->mapToGlobal(m.MeCloseCmd->rect().center()));
    m.Timer1_Timer();
    closedByTick = !m.isVisible();
    if (!closedByTick) m.reject();
  });
  ShowCardMsgBox(nullptr, "c", "d");
  EXPECT_TRUE(closedByTick);
  EXPECT_EQ(giMsgBoxOpen, 0);
}

TEST_F(CardForms, ChequeBoxesAndChecks) {
  giSetVan = 3;
  frmSupyoChk f;
  Show(f);
  EXPECT_TRUE(f.opt1->isChecked());
  EXPECT_TRUE(f.opt10->isChecked());
  EXPECT_FALSE(f.txtSuGum->isVisibleTo(&f));
  {
    dlg::Script s;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("* 수표번호가 입력되지 않았습니다 !")});
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("필수항목 입력오류"));
  }
  f.txtSuNo->setText("12a-34");
  EXPECT_EQ(f.txtSuNo->text(), "1234");
  EXPECT_EQ(f.txtSuNoLen->text(), "4");
  f.txtSuNo->clear();
  EXPECT_EQ(f.txtSuNoLen->text(), "");
  f.opt2->setChecked(true);
  EXPECT_TRUE(f.txtSuGum->isVisibleTo(&f));
  f.txtSuGum->setText("12a");
  EXPECT_EQ(f.txtSuGum->text(), "12");
  f.txtSuGum->clear();
  EXPECT_EQ(f.txtSuGum->text(), "0");
  f.txtSuNo->setText("12345678012345");
  {
    dlg::Script s;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("* 계좌번호가 입력되지 않았습니다 !")});
  }
  // No network: nothing is sent, the date went as 000000 and the focus is in the account.
  f.txtGNo->setText("123456");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
  EXPECT_EQ(f.txtBalDate->text(), "000000");
  EXPECT_EQ(f.focusWidget(), f.txtGNo);
  EXPECT_TRUE(f.txtSuNo->isEnabled());
  EXPECT_TRUE(f.lblMsg1->text().isEmpty());
  // The resident-number tool: a wrong number is told, a right one closes the dialog.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  EXPECT_TRUE(f.fraJuminChk->isVisibleTo(&f));
  f.txtJuminNo->setText("8001011234567");
  {
    dlg::Script s;
    QTest::keyClick(f.txtJuminNo, Qt::Key_Return);
    EXPECT_EQ(s.Texts(), QStringList{QStringLiteral("* 주민번호가 잘못되었습니다 !")});
  }
  f.txtJuminNo->setText("8001011234560");
  QTest::keyClick(f.txtJuminNo, Qt::Key_Return);
  EXPECT_FALSE(f.isVisible());
}

class KzScan : public CardForms {
 protected:
  void SetUp() override {
    CardForms::SetUp();
    auto agent = std::make_unique<orv::van::SimulatedCardAgent>();
    agent_ = agent.get();
    orv::van::SetCardAgent(std::move(agent));
    gsSaupNo = "1234567890";
    gsSetDanId = "DAN1";
    gcKzReqGum = Currency::Won(15000);
  }
  void TearDown() override {
    orv::van::SetCardAgent(std::make_unique<orv::van::SimulatedCardAgent>());
    CardForms::TearDown();
  }
  // Scans text and presses 확인; whether the dialog closed.
  bool Scan(KzScanFrm &f, const QString &text) {
    f.BarScanTxt->setText(text);
    f.BarEnterCmd->click();
    return !f.isVisible();
  }
  orv::van::SimulatedCardAgent *agent_ = nullptr;
};

TEST_F(KzScan, ScansGoBackAsTheyAreWithoutFirstDataKakaoPay) {
  const std::pair<int16_t, int16_t> cases[] = {{4, 2}, {5, 1}, {10, 1}, {1, 2}};
  for (const auto &[van, kind] : cases) {
    giSetVan = van;
    giKzPayKind = kind;
    KzScanFrm f;
    Show(f);
    EXPECT_EQ(f.BarTitleLbl->text(), kind == 1 ? QStringLiteral("카카오페이 바코드 스캔")
                                               : QStringLiteral("제로페이 바코드 스캔"));
    EXPECT_FALSE(Scan(f, "   "));  // blanks only count as empty
    EXPECT_TRUE(Scan(f, " 8000123 "));
    EXPECT_EQ(gsKzBarcode, "8000123");
  }
  EXPECT_TRUE(agent_->Calls().isEmpty());
  giKzPayKind = 1;
  KzScanFrm f;
  Show(f);
  QTest::keyClick(f.BarScanTxt, Qt::Key_Escape);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(gsKzBarcode, "");
}

TEST_F(KzScan, FirstDataKakaoPayHandsBackItsTransactionNumber) {
  giSetVan = 4;
  giKzPayKind = 1;
  auto &reply = agent_->Reply();
  reply["응답코드"] = "0000";
  reply["거래고유번호"] = "TU0001";
  reply["카카오구분"] = " C ";
  reply["할인금액"] = "1,200.50";
  KzScanFrm f;
  Show(f);
  EXPECT_TRUE(Scan(f, "2810000001"));
  EXPECT_EQ(gsKzBarcode, "TU0001");
  EXPECT_EQ(f.BarDispLbl->text(), "TU0001");
  EXPECT_EQ(gsKzKakaoGbn, "C");
  EXPECT_EQ(gcKzDcGum, Currency::Won(1200));
  const QStringList calls = agent_->Calls();
  for (const char *in : {"Input:거래구분=KAO", "Input:업무구분=I", "Input:사업자번호=1234567890",
                         "Input:제품일련번호=DAN1", "Input:요청금액=15000", "Input:바코드번호=2810000001"})
    EXPECT_TRUE(calls.contains(QString::fromUtf8(in))) << in;
  EXPECT_EQ(calls.last(), "Term");
}

TEST_F(KzScan, AnEmptyOrGarbledCodeIsARefusal) {
  giSetVan = 4;
  giKzPayKind = 1;
  for (const char *code : {"", "OK", "0000x"}) {
    agent_->Reply()["응답코드"] = QString::fromUtf8(code);
    agent_->Reply()["할인금액"] = "500";
    agent_->Reply()["카카오구분"] = "C";
    KzScanFrm f;
    Show(f);
    dlg::Script s;
    EXPECT_FALSE(Scan(f, "2810000001")) << code;
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("카드재승인요청"));
    EXPECT_TRUE(f.BarScanTxt->text().isEmpty());
    EXPECT_TRUE(f.BarEnterCmd->isEnabled());
    EXPECT_EQ(gsKzBarcode, "");
    EXPECT_TRUE(gcKzDcGum.IsZero());
  }
  // An agent that is not there: 9998 with the Status step's text.
  agent_->SetResult("Status", -1);
  KzScanFrm f;
  Show(f);
  dlg::Script s;
  EXPECT_FALSE(Scan(f, "2810000001"));
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts()[0].contains("ErrCode [ 9998 ]"));
  EXPECT_TRUE(s.Texts()[0].contains("FDK_WIN4POS_Status()"));
}

}  // namespace
