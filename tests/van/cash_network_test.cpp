// Cash receipts and cheque inquiries through the SMARTRO and NICE simulators: what each
// request carries (read from the simulators' journals), the card log, approvals, refusals,
// errors and silence.
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "chit/pan_money.h"
#include "platform/dialogs.h"
#include "sim_process.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/card_agent.h"
#include "van/frmMoneyChk.h"
#include "van/frmSupyoChk.h"
#include "van/van_wait.h"
#include "money_fixture.h"

namespace dlg = orv::dialogs;
using orv::Currency;
using namespace moneytest;
using vantest::SimProcess;

namespace {

class CashNetwork : public MoneyChkForm {
 protected:
  void SetUp() override {
    MoneyChkForm::SetUp();
    Shop();
    orv::van::Timeouts() = {2000, 600, 600, 400, 0};
    gsSetServerIp = "127.0.0.1";
  }
  void TearDown() override {
    nice_.reset();
    MoneyChkForm::TearDown();
  }
  void Smartro(const QString &scenario = {}) { Agent(5, "orvvansim-smartro", scenario); }
  void Agent(int16_t van, const char *name, const QString &scenario = {}) {
    giSetVan = van;
    sim_ = std::make_unique<SimProcess>(name, dir_->path(), scenario);
    ASSERT_GT(sim_->Port(), 0);
    gsSetServerPort = QString::number(sim_->Port());
  }
  QStringList Requests() { return sim_->Requests(); }
  void Nice(const QString &scenario = {}) {
    giSetVan = 9;
    gsSetVanAgent = vantest::SimPath("orvvansim-nice");
    nice_ = std::make_unique<vantest::ChildSimFiles>(dir_->path(), "nice-");
    if (!scenario.isEmpty()) {
      ASSERT_TRUE(nice_->Scenario(scenario));
    }
  }
  QStringList NiceJournal() { return nice_ ? nice_->Journal() : QStringList(); }
  QStringList SmtJournal() {
    QStringList out;
    for (const QString &l : sim_->Journal())
      if (l.startsWith("REQ")) out << l;
    return out;
  }
  // The card log: "text/kind" per row.
  QStringList Log() {
    QStringList out;
    auto rs = goDbPos.OpenRecordset("Select ClgData, ClgGbn From CardLog Order By ClgChtNo");
    for (; !rs.Eof(); rs.MoveNext())
      out << rs.Field("ClgData").toString().trimmed() + "/" + rs.Field("ClgGbn").toString();
    return out;
  }
  // Types the amount (and the id) and presses F1.
  void Commit(frmMoneyChk &f, const QString &amount, const QString &id = {}) {
    f.txtiCard->setText(id);
    f.txtiGum->setText(amount);
    QTest::keyClick(f.txtiCard, Qt::Key_F1);
  }
  std::unique_ptr<SimProcess> sim_;
  std::unique_ptr<vantest::ChildSimFiles> nice_;
};

TEST_F(CashNetwork, SmartroIssuesAndRecords) {
  Smartro();
  frmMoneyChk f;
  Show(f);
  EXPECT_EQ(f.CmitDateLbl->text(), "YYYYMMDD(년월일)");
  Commit(f, "15000", "01012345678");
  EXPECT_FALSE(f.isVisible());
  ASSERT_EQ(SmtJournal().size(), 1);
  EXPECT_TRUE(SmtJournal()[0].startsWith(
      "REQ | 1=0111 | 2=02 | 3=15000 | 4=0 | 6=03 | 9=3 | 68=01012345678 | "));
  EXPECT_EQ(Log(), (QStringList{"SMT_SendToVCat : 00015000/10", "SMT_SendToVCat_OutRet/11",
                                "SMT_SendToVCat_OutRet_Ok/12"}));
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gtPanChit.PctSss5, 1);
  EXPECT_EQ(gtPanMoney.PmoCmitNo, "40000001");
  EXPECT_EQ(gtPanMoney.PmoCmitDate.size(), 8);  // the sale date whole
  EXPECT_EQ(gtPanMoney.PmoCardNo, "941012******1234");
  EXPECT_EQ(f.msMoneyTermNo, "T0001");
  EXPECT_EQ(jobs_.size(), 1);
}

TEST_F(CashNetwork, SmartroCancelsWithItsReasonAndAnEightDigitDate) {
  Smartro();
  frmMoneyChk f;
  Show(f);
  f.txtiNo->setText("40000001");
  f.txtiDate->setText("240115");
  {
    dlg::Script s;
    Commit(f, "-10");
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("* 기존 승인일자는 8자리 입니다 !")});
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("승인일자오류"));
  }
  EXPECT_TRUE(SmtJournal().isEmpty());
  EXPECT_TRUE(Log().isEmpty());
  f.txtiDate->setText("20240115");
  QTest::keyClick(f.txtiCard, Qt::Key_F8);  // 오류발급
  Commit(f, "-10");
  ASSERT_EQ(SmtJournal().size(), 1);
  EXPECT_TRUE(SmtJournal()[0].startsWith(
      "REQ | 1=2101 | 2=02 | 3=10 | 4=0 | 6=03 | 9=1 | 12=40000001 | 13=20240115 | 14=2 | "));
  EXPECT_EQ(gtPanMoney.PmoHab, Currency::Won(-10));
  EXPECT_EQ(Log().first(), "SMT_SendToVCat : 00000010/10");
}

TEST_F(CashNetwork, SmartroRefusalsAndErrorsKeepTheForm) {
  struct Case {
    const char *name;
    QString scenario;
    bool closedPort;
    QString second, last;  // the message's second and third lines
  } cases[] = {
      {"refused", "code=05 msg=한도초과", false, "ErrCode [ 05 ] - ", QStringLiteral("한도초과")},
      {"no server", "", true, QStringLiteral("ErrCode [ -30 ] - 서버 연결 실패"), ""},
      {"silent", "silent", false, "ErrCode [ -9 ] - TimerOut", ""},
      {"no code", "nocode", false, QStringLiteral("ErrCode [ -98 ] - 서버응답값 오류"), ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    goDbPos.Execute("Delete From CardLog");
    Smartro(c.scenario);
    if (c.closedPort) sim_.reset();
    frmMoneyChk f;
    Show(f);
    dlg::Script s;
    Commit(f, "5000");
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("재승인요청"));
    const QStringList lines = s.Log()[0].text.split("\r\n");
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("* 승인을 다시 하세요 !"));
    EXPECT_EQ(lines[1], c.second);
    if (!c.last.isEmpty()) {
      EXPECT_EQ(lines[2], c.last);
    }
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(giHelpRet, 0);
    EXPECT_EQ(gtPanChit.PctSss5, 0);
    EXPECT_EQ(Log().last(), "SMT_SendToVCat_OutRet_Err/12");
  }
}

TEST_F(CashNetwork, SmartroPortThatIsNoNumberAndAnAmountTooSmall) {
  giSetVan = 5;
  gsSetServerPort = "abc";
  frmMoneyChk f;
  Show(f);
  {
    dlg::Script s;
    Commit(f, "5000");
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_TRUE(s.Log()[0].text.contains(QStringLiteral("ErrCode [ -40 ] - IP입력값 실패")));
  }
  goDbPos.Execute("Delete From CardLog");
  for (const char *amount : {"9", "-9"}) {
    dlg::Script s;
    Commit(f, amount);
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("* 승인금액이 적습니다 !")}) << amount;
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("승인금액오류"));
  }
  EXPECT_TRUE(Log().isEmpty());
}

// Esc, the exit button and the close box during the wait are ignored: the reply still finds
// the form and the approval is recorded.
TEST_F(CashNetwork, AClosingDuringTheSmartroWaitIsIgnored) {
  Smartro("delay=300");
  frmMoneyChk f;
  Show(f);
  bool stayed = false;
  QTimer::singleShot(100, &f, [&] {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    f.cmdExit_Click();
    f.close();
    stayed = f.isVisible();
  });
  Commit(f, "5000");
  EXPECT_TRUE(stayed);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_EQ(giHelpRet, 1);
}

TEST_F(CashNetwork, NiceIssuesWithTheTypedNumberMasked) {
  Nice();
  frmMoneyChk f;
  Show(f);
  Commit(f, "15000", "01012345678");
  EXPECT_FALSE(f.isVisible());
  ASSERT_EQ(NiceJournal().size(), 1);
  EXPECT_TRUE(NiceJournal()[0].startsWith(
      "0200 | 21 | P | 15000 | 0 | 0 | 01 |  |  |  |  |  | 01012345678 | 0 |  | "));
  EXPECT_EQ(Log(), (QStringList{"NICE_NICEVCAT : 00015000/10", "NICE_NICEVCAT_OutRet/11",
                                "NICE_NICEVCAT_OutRet_Ok/12"}));
  EXPECT_EQ(gtPanMoney.PmoCardNo, "****5678");
  EXPECT_EQ(gtPanMoney.PmoCmitNo, "50000001");
  EXPECT_EQ(gtPanMoney.PmoCmitDate.size(), 6);
  EXPECT_EQ(f.msMoneyTermNo, "NICE-T01");
}

TEST_F(CashNetwork, NiceFailuresKeepTheForm) {
  struct Case {
    const char *name;
    QString scenario;
    QString second;
    QString lastLog;
  } cases[] = {
      {"declined", "code=7001 msg=발급불가", QStringLiteral("ErrCode [ 7001 ] - 발급불가"),
       "NICE_NICEVCAT_OutRet_Ok/12"},
      {"failed call", "result=0", QStringLiteral("ErrCode [ -1 ] - 알수없는오류(통신,전문)!"),
       "NICE_NICEVCAT_OutRet_Err/12"},
      {"silent", "silent",
       QStringLiteral("ErrCode [ -1 ] - 응답이 없습니다. 단말기에서 발행 여부를 확인하세요"),
       "NICE_NICEVCAT_OutRet_Err/12"},
      {"short reply", "short", QStringLiteral("ErrCode [ 0000 ] - "), "NICE_NICEVCAT_OutRet_Ok/12"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Nice(c.scenario);
    frmMoneyChk f;
    Show(f);
    dlg::Script s;
    Commit(f, "5000");
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].text.split("\r\n").value(1), c.second);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(giHelpRet, 0);
    EXPECT_EQ(Log().last(), c.lastLog);
  }
}

// The inquiry writes no card log, keeps the settings file, and hands nothing back.
TEST_F(CashNetwork, ChequeInquiriesThroughSmartroAndNice) {
  const QString count = orv::settings_store::GetSetting("gcSetCdCount");
  auto inquire = [](frmSupyoChk &f) {
    f.txtSuNo->setText("12345678012345");
    f.txtGNo->setText("12");
    f.txtBalDate->setText("240115");
    f.opt30->setChecked(true);
    f.txtSuNo->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
  };
  Smartro("code=00 msg=정상\ncode=11 msg=사고수표");
  {
    frmSupyoChk f;
    Show(f);
    inquire(f);
    EXPECT_EQ(f.lblMsg2->text(), QStringLiteral("정상"));
    dlg::Script s;
    inquire(f);
    EXPECT_EQ(f.lblMsg2->text(), QStringLiteral("사고수표 / ErrCode [ 11 ] - "));
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("* 수표조회가 정상처리 되지 않았습니다 !")});
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("수표조회실패"));
    EXPECT_TRUE(f.lblMsg1->text().isEmpty());
  }
  ASSERT_EQ(SmtJournal().size(), 2);
  EXPECT_TRUE(SmtJournal()[0].startsWith(
      "REQ | 1=0401 | 56=00 | 57=1234567801234512     | 58=240115 | 59=15 | 60=500000 | "));
  Nice("code=0000 msg=정상수표\ncode=9001 msg=조회불가");
  {
    frmSupyoChk f;
    Show(f);
    inquire(f);
    EXPECT_EQ(f.lblMsg2->text(), QStringLiteral("정상수표"));
    dlg::Script s;
    inquire(f);
    EXPECT_EQ(f.lblMsg2->text(), QStringLiteral("조회불가 / ErrCode [ 9001 ]"));
    EXPECT_EQ(s.Texts().size(), 1);
  }
  EXPECT_TRUE(NiceJournal()[0].startsWith("0200 | 20 | K | 00 | 15 | 12345678012345 | 240115 | "));
  EXPECT_TRUE(Log().isEmpty());
  EXPECT_EQ(orv::settings_store::GetSetting("gcSetCdCount"), count);
  EXPECT_EQ(giHelpRet, 0);
}

TEST_F(CashNetwork, KiccIssuesAndCancels) {
  Agent(1, "orvvansim-kicc");
  {
    frmMoneyChk f;
    Show(f);
    Commit(f, "5000", "01012345678");
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.msMoneyTermNo, "KICC-T01");
  }
  EXPECT_EQ(gtPanMoney.PmoCmitNo, "40000001");
  EXPECT_EQ(gtPanMoney.PmoCmitDate.size(), 6);
  EXPECT_EQ(gtPanMoney.PmoCardNo, "941012******5678");
  EXPECT_EQ(Log(), (QStringList{"WinHttpOpenPOST : 00005000/10", "WinHttpOpenPOST_OutRet/11",
                                "WinHttpOpenPOST_OutRet_Ok/12"}));
  // A cancellation: an 8-digit date goes as its last six, a short number padded with blanks
  // that reach the agent as blanks.
  frmMoneyChk f;
  Show(f);
  f.txtiNo->setText("12345");
  f.txtiDate->setText("20240115");
  QTest::keyClick(f.txtiCard, Qt::Key_F2);
  Commit(f, "-5000");
  EXPECT_FALSE(f.isVisible());
  ASSERT_EQ(Requests().size(), 2);
  EXPECT_EQ(Requests()[0], "POST B1 | 00 | 5000 |  |  |  |  |  |  |  |  | 30 | M0");
  EXPECT_EQ(Requests()[1], "POST B2 | 01 | 5000 |  | 240115 | 12345     |  |  |  |  |  | 30 | M0");
  EXPECT_EQ(gtPanMoney.PmoHab, Currency::Won(-5000));
}

TEST_F(CashNetwork, KiccRefusalsSilenceAndUnsafeCancelFields) {
  struct Case {
    const char *name;
    QString scenario;
    QString text;  // the message window's second line
    QString lastLog;
  } cases[] = {
      {"refused by SUC", "suc=01 msg=거래거절", QStringLiteral("거래거절"), "WinHttpOpenPOST_OutRet_Err/12"},
      {"refused by RS04", "rs04=7001", QStringLiteral("정상승인"), "WinHttpOpenPOST_OutRet_Ok/12"},
      {"no parens", "reply=SUC:'00'", "", "WinHttpOpenPOST_OutRet_Err/12"},
      {"silent", "silent",
       QStringLiteral("응답이 없습니다. 단말기에서 발행 여부를 확인하세요"), "WinHttpOpenPOST_OutRet_Err/12"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Agent(1, "orvvansim-kicc", c.scenario);
    frmMoneyChk f;
    Show(f);
    QStringList shown;
    dlg::Script s;
    s.OnForm("frmMsgBox", [&](QWidget &w) {
      shown << w.windowTitle() << w.findChild<QLabel *>("MeMsgLbl")->text();
      static_cast<QDialog &>(w).accept();
    });
    Commit(f, "5000");
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], QStringLiteral("재승인요청"));
    EXPECT_EQ(shown[1], QStringLiteral("* 승인을 다시 하세요 !\r\n") + c.text);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(giHelpRet, 0);
    EXPECT_EQ(Log().last(), c.lastLog);
  }
  // A number or date that would shift or cut the request is refused before anything is sent.
  Agent(1, "orvvansim-kicc");
  goDbPos.Execute("Delete From CardLog");
  frmMoneyChk f;
  Show(f);
  for (const char *no : {"12^3", "1&REQ=", "1%20"}) {
    f.txtiNo->setText(no);
    f.txtiDate->setText("240115");
    dlg::Script s;
    Commit(f, "-5000");
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("* 승인번호와 승인일자는 숫자만 입력하세요 !")}) << no;
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("입력오류"));
  }
  EXPECT_TRUE(Requests().isEmpty());
  EXPECT_TRUE(Log().isEmpty());
}

TEST_F(CashNetwork, KiccAgentNotRunningIsAnApprovalFailure) {
  giSetVan = 1;
  gsSetServerPort = "1";
  frmMoneyChk f;
  Show(f);
  dlg::Script s;
  Commit(f, "5000");
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("승인실패"));
  EXPECT_TRUE(s.Log()[0].text.startsWith(QStringLiteral("오류번호:-1\n오류내용:")));
  EXPECT_EQ(Log(), QStringList{"WinHttpOpenPOST : 00005000/10"});
  EXPECT_TRUE(f.isVisible());
}

TEST_F(CashNetwork, KisIssuesCancelsAndRefuses) {
  Agent(10, "orvvansim-kis", "delay=0\ncode=0001\nsilent");
  frmMoneyChk f;
  Show(f);
  Commit(f, "12345", "1234567890123456");
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(gtPanMoney.PmoCardNo, "1234567890123");
  EXPECT_EQ(f.msMoneyTermNo, "KIS-T01");
  EXPECT_EQ(gtPanMoney.PmoCmitNo, "50000001");
  EXPECT_EQ(Log(), (QStringList{"KIS_Approval : 00012345/10", "KIS_Approval_OutRet/11",
                                "KIS_Approval_OutRet_Ok/12"}));
  frmMoneyChk g;
  Show(g);
  g.txtiNo->setText("123456789");
  g.txtiDate->setText("20240115");
  {
    dlg::Script s;
    Commit(g, "-5000");
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("재승인요청"));
    EXPECT_TRUE(s.Log()[0].text.startsWith(QStringLiteral("* 승인을 다시 하세요 !\r\n승인거절")));
  }
  {
    dlg::Script s;
    Commit(g, "-5000");
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_TRUE(s.Log()[0].text.contains(QStringLiteral("발행 여부를 확인하세요")));
  }
  EXPECT_TRUE(g.isVisible());
  const QStringList r = Requests();
  ASSERT_EQ(r.size(), 3);
  EXPECT_TRUE(r[0].contains("36=1234567890123 | 4=00 | 37=N | 38= | 3=CC | 5=12345 | 6=0")) << r[0].toStdString();
  EXPECT_TRUE(r[1].endsWith("3=CR | 5=5000 | 6=0 | 8=240115 | 9=123456789")) << r[1].toStdString();
}

TEST_F(CashNetwork, ChequeInquiriesThroughKiccAndKis) {
  auto inquire = [](frmSupyoChk &f, bool personal) {
    f.txtSuNo->setText("12345678012345");
    f.txtGNo->setText("1234567");
    f.txtBalDate->clear();
    f.opt40->setChecked(true);
    if (personal) {
      f.opt2->setChecked(true);
      f.txtSuGum->setText("1500000");
    }
    f.txtSuNo->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
  };
  Agent(1, "orvvansim-kicc", "delay=0\nrs04=1001\nsuc=99 msg=조회실패");
  {
    frmSupyoChk f;
    Show(f);
    inquire(f, false);
    EXPECT_EQ(f.lblMsg2->text(), QStringLiteral("조회응답성공"));
    EXPECT_TRUE(f.isVisible());
    QStringList windows;
    dlg::Script s;
    s.OnForm("frmMsgBox", [&](QWidget &w) {
      windows << w.windowTitle();
      static_cast<QDialog &>(w).accept();
    });
    inquire(f, true);
    EXPECT_EQ(f.lblMsg2->text(), QStringLiteral("조회응답성공"));  // left as it was
    inquire(f, true);
    EXPECT_EQ(f.lblMsg2->text(), QStringLiteral("조회실패"));
    EXPECT_EQ(windows, (QStringList{QStringLiteral("수표조회실패"), QStringLiteral("수표조회실패")}));
  }
  EXPECT_EQ(Requests()[0], "POST C1 |  | 1000000 | 16 | 000000 |  |  |  |  |  |  |  |  |  |  |  |  |  |  | 12345678012345");
  EXPECT_EQ(Requests()[1].section(" | ", 2, 3), "1500000 | 42");
  Agent(10, "orvvansim-kis", "delay=0\ncode=0001");
  {
    frmSupyoChk f;
    Show(f);
    inquire(f, true);
    EXPECT_EQ(f.lblMsg2->text(), QStringLiteral("정상승인 / 감사합니다"));
    dlg::Script s;
    inquire(f, false);
    EXPECT_EQ(s.Texts(), QStringList{QStringLiteral("* 수표조회가 정상처리 되지 않았습니다 !")});
  }
  // The personal cheque's code and amount replace the denomination's on the wire.
  EXPECT_TRUE(Requests()[0].contains("3=C1 | 40=12345678012345 | 41=000000 | 42=19 | 5=1,500,000 | "
                                     "43=1234567"))
      << Requests()[0].toStdString();
  EXPECT_TRUE(Log().isEmpty());
}

// The customer keys the number on the KIS pad: F3 asks for it, the pad's answer fills the
// number box and the amount takes the focus; a pad that refuses is told.
TEST_F(CashNetwork, KisPadKeysTheNumber) {
  giSetVan = 10;
  giSetSignPad = 1;
  orv::settings_store::SaveSetting("giSetSignNotUse", "0");
  SimProcess pad("orvvansim-signpad", dir_->path(), "keyed=01099998888\nfailed", {"--pty"});
  ASSERT_FALSE(pad.Device().isEmpty());
  qputenv("ORVPOS_COM7", pad.Device().toUtf8());
  giSetSignPortNo = 7;
  frmMoneyChk f;
  Show(f);
  ASSERT_TRUE(f.cmdSignInput->isEnabled());
  QTest::keyClick(f.txtiCard, Qt::Key_F3);
  EXPECT_TRUE(orv::van::WaitUntil([&] { return !f.txtiCard->text().isEmpty(); }, 3000));
  EXPECT_EQ(f.txtiCard->text(), "01099998888");
  EXPECT_EQ(f.focusWidget(), f.txtiGum);
  dlg::Script s;
  f.cmdSignInput->click();
  EXPECT_TRUE(orv::van::WaitUntil([&] { return !s.Log().isEmpty(); }, 3000));
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("싸인패드오류"));
  EXPECT_TRUE(pad.Journal().value(0).startsWith("NUMBER"));
  qunsetenv("ORVPOS_COM7");
}

}  // namespace
