#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "chit/records.h"
#include "core/globals.h"
#include "customer/CstOneMoaFrm.h"
#include "customer_fixture.h"
#include "onemoa_sim.h"
#include "platform/settings_store.h"

using customertest::OneMoaSim;
using orv::Currency;

namespace {

// The dialog over the simulator, with the sale screen's customer 7 (홍길동) current.
class OneMoaForm : public customertest::CustomerFixture {
 protected:
  void SetUp() override {
    CustomerFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    iniDir_ = orvtest::MakeTempDir();
    orv::settings_store::SetFilePath(iniDir_->filePath("OrvZerdo.ini"));
    ASSERT_TRUE(sim_.Start());
    if (!goDbMain.TableExists("CstCode")) orv::schema::CreateTable(goDbMain, "CstCode");
    goDbMain.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName) Values(7, 70, '홍길동')");
    gsPcdMbTele = "010-5555-6666";
    gtCstCode = {};
    gtCstCode.CcdKey = Currency::Won(7);
    gtCstCode.CcdName = "홍 길동";
    gtCstCode.CcdTel = "02-123-4567";
    gtCstCode.CcdHp = " 010-1111-2222 ";
    gtCstCode.CcdBirth = "19800105";
    gtCstCode.CcdJumsu = Currency::Won(1200);
    gtCstCode.CcdJuso = "서울";
  }
  void TearDown() override {
    orv::settings_store::SetFilePath({});
    CustomerFixture::TearDown();
  }
  static int Mark(orv::db::Connection &c) {
    return c.OpenRecordset("Select CcdSss2 From CstCode Where CcdKey=7").Field(0).toInt();
  }
  std::unique_ptr<QTemporaryDir> iniDir_;
  OneMoaSim sim_;
};

}  // namespace

TEST_P(OneMoaForm, OpensOnTheCustomerAndHandsBackTheMemberFound) {
  CstOneMoaFrm f("C1");
  EXPECT_EQ(f.windowTitle(), "고객 등록 조회 (OneMoa)");
  EXPECT_EQ(f.aaPerson_NumTxt->text(), "010-1111-2222");
  EXPECT_EQ(f.bPersonTelTxt->text(), "010-1111-2222");
  EXPECT_EQ(f.bPersonCodeTxt->text(), "홍길동");
  EXPECT_EQ(f.bSalesPointTxt->text(), "1200");
  EXPECT_EQ(f.bPersonBirthYearTxt->text(), "1980");
  EXPECT_EQ(f.bPersonBirthMonTxt->text(), "1");
  EXPECT_EQ(f.bPersonBirthDayTxt->text(), "5");
  EXPECT_TRUE(f.bPersonSex0Opt->isChecked());
  EXPECT_EQ(f.bOrderTelTxt->text(), "010-5555-6666");
  EXPECT_EQ(f.aaClientCodeLbl->text(), "C1");
  EXPECT_EQ(f.CstKeyLbl->text(), online() ? "7" : "");

  f.PsnViewCmd_Click();
  EXPECT_EQ(f.aPersonCodeLbl->text(), "100000000****");
  EXPECT_EQ(f.aPersonNameLbl->text(), "홍길동");
  EXPECT_EQ(f.aUsingPointLbl->text(), "3500");
  EXPECT_EQ(f.aResultCodeLbl->text(), "0");
  // A number typed after the lookup does not go back with that member.
  f.aaPerson_NumTxt->setText("010-9999-9999");
  f.ChtEnterCmd_Click();
  const CstOneMoaFrm::Member &m = f.Result();
  EXPECT_TRUE(m.handedBack);
  EXPECT_EQ(m.findKey, "010-1111-2222");
  EXPECT_EQ(m.personCode, "1000000000017");
  EXPECT_EQ(m.cardKey, 0);
  EXPECT_EQ(m.usingPoint, Currency::Won(3500));
}

TEST_P(OneMoaForm, AFailedLookupKeepsTheQuestionMark) {
  CstOneMoaFrm f("C1");
  sim_.Queue("html");
  f.PsnViewCmd_Click();
  EXPECT_EQ(f.aResultCodeLbl->text(), "?");
  EXPECT_TRUE(f.PsnViewCmd->isEnabled());
  f.ChtEnterCmd_Click();
  EXPECT_EQ(f.Result().personCode, "");
  EXPECT_EQ(f.Result().findKey, "010-1111-2222");
}

// The registration marks the customer where it was read from: the shop's customers in
// state 0, the point server's in state 2, nowhere in state 1 (the POS copy is overwritten
// by the next copy from the point server).
TEST_P(OneMoaForm, RegistrationMarksTheCustomerWhereItLives) {
  for (int16_t state : {0, 1, 2}) {
    goDbMain.Execute("Update CstCode Set CcdSss2=0");
    goDbTs.Execute("Update CstCode Set CcdSss2=0");
    giCstTsMode = state;
    CstOneMoaFrm f("C1");
    f.bPersonJusoTxt->setText("중구 1");
    f.PsnInputCmd_Click();
    EXPECT_EQ(f.bResultCodeLbl->text(), "성공") << state;
    EXPECT_EQ(f.bResultMsgLbl->text(), "등록되었습니다") << state;
    EXPECT_EQ(Mark(goDbMain), state == 0 ? 1 : 0) << state;
    EXPECT_EQ(Mark(goDbTs), state == 2 ? 1 : 0) << state;
  }
  EXPECT_TRUE(sim_.Requests().last().contains(
      "&personname=%ED%99%8D%EA%B8%B8%EB%8F%99&persontel=010-1111-2222&salespoint=1200"
      "&clientcode=&personbirth=1980-01-05&personsex=M&personjuso=%EC%A4%91%EA%B5%AC%201%20"
      "%EC%84%9C%EC%9A%B8&ordertel=010-5555-6666"))
      << sim_.Requests().last().toStdString();

  giCstTsMode = 0;
  goDbMain.Execute("Update CstCode Set CcdSss2=0");
  CstOneMoaFrm f("C1");
  sim_.Queue("error");
  f.PsnInputCmd_Click();
  EXPECT_EQ(f.bResultCodeLbl->text(), "실패");
  EXPECT_EQ(Mark(goDbMain), 0);
}

TEST_P(OneMoaForm, NoCustomerAndTheBoxes) {
  gtCstCode = {};
  CstOneMoaFrm f("C1");
  EXPECT_EQ(f.bPersonCodeTxt->text(), "?");
  EXPECT_TRUE(f.bPersonSex1Opt->isChecked());
  EXPECT_EQ(f.aaPerson_NumTxt->text(), "");
  EXPECT_FALSE(f.CstKeyLbl->isVisibleTo(&f));

  // Nothing typed: the telephone box takes the focus, nothing is sent.
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.PsnInputCmd_Click();
  EXPECT_EQ(QApplication::focusWidget(), f.bPersonTelTxt);
  EXPECT_TRUE(sim_.Requests().isEmpty());

  // A number box: the first digit replaces the figure, the next one adds to it.
  f.bSalesPointTxt->setText("1,200");
  f.bSalesPointTxt->setFocus();
  QTest::keyClick(f.bSalesPointTxt, '5');
  QTest::keyClick(f.bSalesPointTxt, '0');
  EXPECT_EQ(f.bSalesPointTxt->text(), "50");
  QTest::keyClick(f.bSalesPointTxt, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f.bPersonBirthYearTxt);
  f.bPersonBirthYearTxt->setText("19805");
  QTest::keyClick(f.bPersonBirthYearTxt, Qt::Key_Down);
  EXPECT_EQ(f.bPersonBirthYearTxt->text(), "1980");
  EXPECT_EQ(QApplication::focusWidget(), f.bPersonJusoTxt);
  // The recommending telephone is remembered on this terminal.
  f.bOrderTelTxt->setFocus();
  f.bOrderTelTxt->setText(" 010-7777 ");
  QTest::keyClick(f.bOrderTelTxt, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f.PsnInputCmd);
  EXPECT_EQ(orv::settings_store::GetSetting("OneMoaOrderTel"), "010-7777");
  CstOneMoaFrm again("C1");
  EXPECT_EQ(again.bOrderTelTxt->text(), "010-7777");
}

// A screen: one SQLite set-up (the flags' statements run on every engine in OneMoaFlags).
INSTANTIATE_TEST_SUITE_P(Engines, OneMoaForm,
                         testing::Values(chittest::Setup{orv::db::Engine::SQLite, true}),
                         chittest::SetupName);
