#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "chit/chit_numbers.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "customer/CstPaddFrm.h"
#include "customer/cst_padd.h"
#include "customer_fixture.h"
#include "lookup/help_globals.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"

using orv::Currency;
namespace padd = orv::padd;

TEST(ReceiptPoints, ReceiptCodes) {
  const auto rc = padd::ParseReceiptCode("24031500001273");
  ASSERT_TRUE(rc);
  EXPECT_EQ(rc->year, 2024);
  EXPECT_EQ(rc->mon, 3);
  EXPECT_EQ(rc->day, 15);
  EXPECT_EQ(rc->chtNo, 12);
  EXPECT_EQ(rc->check, 73);
  for (const char *bad : {"2403150000127", "240315000012734", "2403150000127x", ""})
    EXPECT_FALSE(padd::ParseReceiptCode(bad)) << bad;
}

TEST(ReceiptPoints, SaveChecksInOrder) {
  padd::ChitPoints chit;
  chit.chk = Currency::Won(12);
  padd::Customer cst;
  cst.key = Currency::Won(7);
  cst.no = 70;
  struct Case {
    const char *name;
    int32_t chtNo;
    int chk, chitCst, cstNo, y, m, d;
    const char *message;
  } cases[] = {
      {"no chit", 0, 12, 0, 70, 2023, 12, 1, "* 판매 전표가 없습니다 ..... !"},
      {"no points", 5, 0, 0, 70, 2023, 12, 1, "* 판매 포인트가 없습니다 ..... !"},
      {"credited before", 5, 12, 9, 70, 2023, 12, 1, "* 이미 등록한 전표입니다 ..... !"},
      {"no customer", 5, 12, 0, 0, 2023, 12, 1, "* 고객을 선택 하십시오 ..... !"},
      {"the previous month's first day", 5, 12, 0, 70, 2023, 12, 1, ""},
      {"before it", 5, 12, 0, 70, 2023, 11, 30, "* 기일경과 (당월,전월만 해당됨) ..... !"},
      {"after the work date", 5, 12, 0, 70, 2024, 2, 1, ""},
      {"negative points", 5, -3, 0, 70, 2024, 1, 5, ""},
  };
  for (const Case &c : cases) {
    chit.chk = Currency::Won(c.chk);
    chit.cstKey = Currency::Won(c.chitCst);
    cst.no = c.cstNo;
    EXPECT_EQ(padd::CheckCredit(c.chtNo, chit, cst, c.y, c.m, c.d, 2024, 1),
              QString::fromUtf8(c.message))
        << c.name;
  }
}

TEST(ReceiptPoints, PrintoutsInFortyBytes) {
  padd::PrintInput in;
  in.wrkYear = 2024;
  in.wrkMonth = 3;
  in.wrkDay = 5;
  in.time = "14:05:20";
  in.chitLine = "2024.03.05-000012";
  in.cst.no = 70;
  in.cst.barcode = "2900000010019";
  in.cst.name = "홍길동";
  in.cst.email = " hong ";
  in.yPoint = Currency::Won(20);
  in.point = Currency::Won(-1234);
  in.nPoint = Currency::Won(-1214);
  in.posNo = 3;
  in.pcdNo = Currency::Won(7);
  in.pcdName = "김계산";
  const QStringList l = padd::PointAddedLines(in);
  ASSERT_EQ(l.size(), 15);
  EXPECT_EQ(l[0], "점 수 추 가(영수증)");
  EXPECT_EQ(l[2], "2024년 03월 05일" + QString(16, ' ') + "14:05:20");
  EXPECT_EQ(l[4], "전 표 번 호: 2024.03.05-000012");
  EXPECT_EQ(l[7], "성명 (상호): 홍길동 (hong)");
  EXPECT_EQ(l[11], "추 가 점 수: " + QString(21, ' ') + "-1,234");
  EXPECT_EQ(l[14], "계산대:0003       " + QString(3, ' ') + "계산원:(0007)김계산");
  for (int i : {1, 2, 10, 11, 12, 13, 14})
    EXPECT_EQ(orv::codepage::ByteLength(l[i]), 40) << i;

  const QStringList c = padd::CurrentPointLines(in);
  ASSERT_EQ(c.size(), 12);
  EXPECT_EQ(c[0], "고객 점수 확인");
  EXPECT_EQ(c[9], "현 재 점 수: " + QString(21, ' ') + "-1,214");
  // A long name pushes the start of the cashier part out.
  in.pcdName = "가나다라마바사아자";
  EXPECT_EQ(padd::CurrentPointLines(in)[11], "계산대:0003       " + QString("007)가나다라마바사아자"));
}

// A chit of 12,000 won and 12 points sold without a customer, and member 7.
class ReceiptCredit : public customertest::CustomerFixture {
 protected:
  void SetUp() override {
    CustomerFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gsLogID = "kim";
    gsPcdName = "김판매";
    giLogPosNo = 3;
    PlantChit(goDbMain, "PanChit2403", 12, "20240305");
    goDbMain.Execute("Update PanChit2403 Set PctHab=12000, PctChk=12, PctCstKey=0");
    for (orv::db::Connection *c : {&goDbMain, &goDbTs}) {
      c->Execute("Delete From CstCode");
      c->Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdBarcode, CcdTzerdo, CcdTjumsu, "
                 "CcdZerdo, CcdJumsu) Values(7, 70, '홍길동', '2900000010019', 50000, 50, 20000, 20)");
    }
  }
  bool ts() const { return giCstTsMode == 2; }
  orv::db::Connection &cstDb() { return ts() ? goDbTs : goDbMain; }
  QString ledger() const { return ts() ? "CstWnjgT2403" : "CstWnjg"; }
  void TearDown() override {
    orv::settings_store::SetFilePath({});
    if (!savedRoot_.isEmpty()) orv::datafolder::SetRoot(savedRoot_);
    CustomerFixture::TearDown();
  }
  std::unique_ptr<QTemporaryDir> iniDir_;
  QString savedRoot_;
  int ChitCst() {
    return goDbMain.OpenRecordset("Select PctCstKey From PanChit2403 Where PctChtNo=12")
        .Field(0)
        .toInt();
  }
};

TEST_P(ReceiptCredit, CreditsOnceWithLedgerAndTotals) {
  for (int16_t mode : {0, 2}) {
    SCOPED_TRACE(mode);
    giCstTsMode = mode;
    goDbMain.Execute("Update PanChit2403 Set PctCstKey=0");
    const padd::ChitPoints chit = padd::ReadPanChitPoint(2024, 3, 5, 12, ts());
    EXPECT_EQ(chit.hab, Currency::Won(12000));
    EXPECT_EQ(chit.chk, Currency::Won(12));
    const padd::Customer cst = padd::ReadCstForPoints(2, 0, "2900000010019", ts());
    ASSERT_EQ(cst.key, Currency::Won(7));
    EXPECT_EQ(padd::CreditChit(2024, 3, 5, 12, chit, cst.key, ts()), padd::CreditResult::Credited);
    EXPECT_EQ(ChitCst(), 7);
    auto rs = cstDb().OpenRecordset("Select * From CstCode Where CcdKey=7");
    EXPECT_EQ(NzCur(rs.Field("CcdZerdo")), Currency::Won(32000));
    EXPECT_EQ(NzCur(rs.Field("CcdJumsu")), Currency::Won(32));
    EXPECT_EQ(NzCur(rs.Field("CcdTjumsu")), Currency::Won(62));
    auto l = cstDb().OpenRecordset("Select * From " + ledger());
    ASSERT_EQ(l.RecordCount(), 1);
    EXPECT_EQ(NzStr(l.Field("CwjGods")), "고객점수추가(영수증)");
    EXPECT_EQ(NzStr(l.Field("CwjBigo")), "Pos[3]");
    EXPECT_EQ(NzCur(l.Field("CwjSss1")), Currency::Won(1));
    EXPECT_EQ(NzCur(l.Field("CwjNJumsu")), Currency::Won(32));
    EXPECT_EQ(NzStr(l.Field("CwjDate")), "20240315");
    // Named again: the chit now shows its member and cannot be credited twice, even when
    // another screen still shows it free.
    EXPECT_EQ(padd::ReadPanChitPoint(2024, 3, 5, 12, ts()).cstNo, 70);
    EXPECT_EQ(padd::CreditChit(2024, 3, 5, 12, chit, cst.key, ts()),
              padd::CreditResult::AlreadyCredited);
    EXPECT_EQ(Count(cstDb(), ledger()), 1);
    EXPECT_EQ(goDbMain.TransLevel(), 0);
  }
}

TEST_P(ReceiptCredit, NothingStaysWhenTheWriteFails) {
  for (int16_t mode : {0, 2}) {
    SCOPED_TRACE(mode);
    giCstTsMode = mode;
    const padd::ChitPoints chit = padd::ReadPanChitPoint(2024, 3, 5, 12, ts());
    EXPECT_EQ(padd::CreditChit(2024, 3, 5, 12, chit, Currency::Won(8), ts()),
              padd::CreditResult::NoCustomer);
    EXPECT_EQ(ChitCst(), 0);
  }
  // The point server's ledger refuses the row: the chit keeps no customer either.
  giCstTsMode = 2;
  padd::CreditChit(2024, 3, 5, 12, padd::ReadPanChitPoint(2024, 3, 5, 12, true), Currency::Won(7),
                   true);
  goDbMain.Execute("Update PanChit2403 Set PctCstKey=0");
  goDbTs.Execute("Drop Table CstCode");
  EXPECT_THROW(padd::CreditChit(2024, 3, 5, 12, padd::ReadPanChitPoint(2024, 3, 5, 12, false),
                                Currency::Won(7), true),
               orv::db::DbError);
  EXPECT_EQ(ChitCst(), 0);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
  EXPECT_EQ(goDbTs.TransLevel(), 0);
  // A chit of a month without tables reads as nothing.
  EXPECT_TRUE(padd::ReadPanChitPoint(2023, 1, 5, 12, false).hab.IsZero());
}

// The dialog: the receipt's code names the chit, the number the customer, the confirm button
// credits and prints the dialog's customer.
TEST_P(ReceiptCredit, TheDialogCreditsByReceiptCode) {
  giCstTsMode = 0;
  giWrkYear = 2024;
  giWrkMonth = 3;
  gtCstCode = {};
  iniDir_ = orvtest::MakeTempDir();
  orv::settings_store::SetFilePath(iniDir_->filePath("OrvZerdo.ini"));
  savedRoot_ = orv::datafolder::Root();
  orv::datafolder::SetRoot(iniDir_->path());
  giSetPrint = 1;
  gsSetPrnPort = "LPT1";
  InitPrnCodes();
  orv::dialogs::Script script;
  const QString code = QString("240305000012%1").arg(ChitBarCheckDigits(Currency::Won(12000)), 2, 10, QChar('0'));
  {
    CstPaddFrm f(false);
    EXPECT_EQ(f.windowTitle(), "고객 점수 추가 (영수증)");
    f.PanStringTxt->setText("2403-0500 0012-99");  // wrong check digits
    f.Leave(f.PanStringTxt);
    EXPECT_EQ(f.PanStringTxt->text(), "");
    EXPECT_EQ(f.PanChitTxt->text(), "");
    f.PanStringTxt->setText(code.left(4) + "-" + code.mid(4));
    f.Leave(f.PanStringTxt);
    EXPECT_EQ(f.PanChitTxt->text(), "12");
    EXPECT_EQ(f.PanHabLbl->text(), "12,000");
    EXPECT_EQ(f.PanPointLbl->text(), "12");
    f.CstNoTxt->setText("70");
    f.Leave(f.CstNoTxt);
    EXPECT_EQ(f.CstNameLbl->text(), "홍길동");
    EXPECT_EQ(f.CstNpointLbl->text(), "32");
    f.CstPrintChk->setChecked(true);
    f.cmdAction0->click();
    EXPECT_TRUE(script.Texts().isEmpty()) << script.Texts().join('|').toStdString();
    EXPECT_EQ(giHelpRet, 1);
  }
  EXPECT_EQ(ChitCst(), 7);
  EXPECT_EQ(orv::settings_store::GetSetting("giSetCstPaddPrn"), "1");
  QFile out(orv::datafolder::Path("LPT1.prn"));
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  const QString printed = orv::codepage::Decode(out.readAll());
  EXPECT_TRUE(printed.contains("성명 (상호): 홍길동 ()")) << printed.toStdString();
  EXPECT_TRUE(printed.contains("전 표 번 호: 2024.03.05-000012"));

  // The same receipt again: refused, the dialog stays.
  {
    CstPaddFrm f(false);
    f.PanStringTxt->setText(code);
    f.Leave(f.PanStringTxt);
    EXPECT_EQ(f.PanCstNameLbl->text(), "홍길동");
    f.CstNoTxt->setText("70");
    f.Leave(f.CstNoTxt);
    f.SaveCstPoint();
    EXPECT_EQ(script.Texts().value(0), "* 이미 등록한 전표입니다 ..... !");
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, ReceiptCredit,
                         testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                         chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
