// Cash receipts through the First Data agent program (the simulator): the inputs of the
// "CSH" transaction, the card log, approval and the failures before and at the send.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include "chit/pan_money.h"
#include "platform/dialogs.h"
#include "van/card_agent.h"
#include "van/cash_receipt.h"
#include "van/frmCardChk.h"
#include "van/frmMoneyChk.h"
#include "van/van_wait.h"
#include "money_fixture.h"
#include "sim_process.h"

namespace dlg = orv::dialogs;
using orv::Currency;
using namespace moneytest;
using Inputs = QList<QPair<QString, QString>>;

namespace {

TEST(FdkCashInputs, IssueCancelAndTheUseCode) {
  gsSaupNo = "1234567890";
  gsSetDanId = "DAN1";
  auto in = [](int gum, int vat, const char *id, int saup) {
    CashReceiptInput i;
    i.gum = Currency::Won(gum);
    i.vat = Currency::Won(vat);
    i.idNo = id;
    i.saup = int16_t(saup);
    i.cancelNo = "123456789";
    i.cancelDate = "20240115";
    return i;
  };
  const Inputs head{{"사업자번호", "1234567890"}, {"제품일련번호", "DAN1"}, {"요청금액", "15000"},
                    {"봉사료", "0"}, {"세금", "1364"}};
  Inputs consumer{{"거래구분", "CSH"}};
  consumer += head;
  consumer += Inputs{{"사용구분", "97"}, {"식별번호", "01012345678"}};
  Inputs business{{"거래구분", "CSH"}};
  business += head;
  business += Inputs{{"사용구분", "98"}, {"식별번호", "0101234567890"}};
  Inputs noId{{"거래구분", "CSH"}};
  noId += head;
  noId += Inputs{{"사용구분", "01"}};
  Inputs cancel{{"거래구분", "CSH"}, {"취소구분", "Y"}};
  cancel += head;
  cancel += Inputs{{"원거래일자", "240115"}, {"원승인번호", "123456789"}, {"사용구분", "00"}};
  EXPECT_EQ(FdkCashInputs(in(15000, 1364, "01012345678", 0)), consumer);
  EXPECT_EQ(FdkCashInputs(in(15000, 1364, "01012345678901", 1)), business) << "13 characters of 14";
  EXPECT_EQ(FdkCashInputs(in(15000, 1364, "", 1)), noId);
  EXPECT_EQ(FdkCashInputs(in(-15000, -1364, "", 0)), cancel);
  gsSaupNo.clear();
  gsSetDanId.clear();
}

class FdkCash : public MoneyChkForm {
 protected:
  void SetUp() override {
    MoneyChkForm::SetUp();
    Shop();
    giSetVan = 4;
    gsSaupNo = "1234567890";
    gsSetDanId = "DAN1";
    orv::van::Timeouts() = {3000, 400, 400, 400, 0};
    files_ = std::make_unique<vantest::ChildSimFiles>(dir_->path());
    agent_ = std::make_unique<vantest::FdkAgentSim>();
  }
  void TearDown() override {
    agent_.reset();
    files_.reset();
    MoneyChkForm::TearDown();
  }
  void Start(const QString &scenario = {}) {
    ASSERT_TRUE(files_->Scenario(scenario));
    ASSERT_TRUE(agent_->Start());
  }
  QStringList Journal() { return files_->Journal(); }
  QStringList Log() {
    QStringList out;
    auto rs = goDbPos.OpenRecordset("Select ClgData, ClgGbn From CardLog Order By ClgChtNo");
    for (; !rs.Eof(); rs.MoveNext())
      out << rs.Field("ClgData").toString().trimmed() + "/" + rs.Field("ClgGbn").toString();
    return out;
  }
  void Commit(frmMoneyChk &f, const QString &amount, const QString &id = {}) {
    f.txtiCard->setText(id);
    f.txtiGum->setText(amount);
    QTest::keyClick(f.txtiCard, Qt::Key_F1);
  }
  std::unique_ptr<vantest::ChildSimFiles> files_;
  std::unique_ptr<vantest::FdkAgentSim> agent_;
};

TEST_F(FdkCash, IssuesAndHandsTheReceiptToTheForm) {
  Start();
  frmMoneyChk f;
  Show(f);
  Commit(f, "15000", "01012345678");
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(Log(), (QStringList{"FDK_WIN4POS : 00015000/10", "FDK_WIN4POS_OutRet/11",
                                "FDK_WIN4POS_Execute_Ok/12"}));
  EXPECT_EQ(f.msMoneyTermNo, "DAN1");
  EXPECT_EQ(f.msMoneyMemberNo, "941012******1234");
  EXPECT_EQ(gtPanMoney.PmoCmitNo, "30000001");
  EXPECT_EQ(gtPanChit.PctSss5, 1);
  EXPECT_EQ(gcSetCdCount, Currency()) << "the cash receipt raises no request number";
  EXPECT_EQ(jobs_.size(), 1);
}

TEST_F(FdkCash, FailuresBeforeAtAndAfterTheSend) {
  Start("status=1\nexecute=-5 msg=단말기오류\ncode=\n");
  const struct {
    const char *name, *text;
    QStringList rows;
  } cases[] = {
      {"status", "ErrCode [ 9998 ] - Call Dll :: FDK_WIN4POS_Status()\r\n결과 : 실패(1)",
       {"FDK_WIN4POS_Execute_Err/12"}},
      {"execute", "ErrCode [ 9999 ] - Call Dll :: FDK_WIN4POS_Execute()\r\n결과[-5] : 단말기오류",
       {"FDK_WIN4POS : 00015000/10", "FDK_WIN4POS_OutRet/11", "FDK_WIN4POS_Execute_Err/12"}},
      {"empty code", "ErrCode [  ] - ",
       {"FDK_WIN4POS : 00015000/10", "FDK_WIN4POS_OutRet/11", "FDK_WIN4POS_Execute_Err/12"}},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    frmMoneyChk f;
    Show(f);
    dlg::Script s;
    Commit(f, "15000");
    EXPECT_TRUE(f.isVisible()) << c.name;
    ASSERT_EQ(s.Log().size(), 1) << c.name;
    EXPECT_EQ(s.Log()[0].title, "재승인요청");
    EXPECT_TRUE(s.Log()[0].text.contains(QString::fromUtf8(c.text))) << c.name << s.Log()[0].text.toStdString();
    EXPECT_EQ(Log(), c.rows) << c.name;
    EXPECT_TRUE(f.msMoneyTermNo.isEmpty());
    EXPECT_TRUE(gtPanMoney.PmoCmitNo.isEmpty()) << c.name;
  }
  EXPECT_TRUE(Journal().value(0).startsWith("STATUS"));
  EXPECT_TRUE(Journal().value(1).startsWith("TERM")) << "a failed Status still ends the request";
}

}  // namespace
