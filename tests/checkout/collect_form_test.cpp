#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "../chit/chit_fixture.h"
#include "../chit/sale_fill.h"
#include "cash_form_fixture.h"
#include "checkout/frmOiReturn.h"
#include "checkout/lists_text.h"
#include "chit/pair_commit.h"
#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "van/frmCardChk.h"
#include "platform/dialogs.h"
#include "sale/sale_globals.h"

using orv::Currency;
using orv::checkout::frmOiReturn;

TEST(AmountBox, KeepsDigitsAndMinusAndGroupsThousands) {
  const struct {
    const char *typed, *shown;
  } cases[] = {
      {"12345", "12,345"}, {"12,3456", "123,456"}, {"12a3", "123"}, {"-5000", "-5,000"},
      {"-", "-"},          {"", ""},              {"0", ""},       {"9999999999", "9,999,999,999"},
      {"1.5", "15"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(orv::checkout::AmountBoxText(QString::fromUtf8(c.typed)), QString::fromUtf8(c.shown))
        << c.typed;
  const auto t = orv::checkout::BalanceToTexts(Currency::Won(100000), Currency::Won(30000),
                                               Currency::Won(20000));
  EXPECT_EQ(t.oiHab, "20000");
  EXPECT_EQ(t.before, "70000");
  EXPECT_EQ(t.now, "30000");
  EXPECT_EQ(t.resent, "80000");
}

class CollectForm : public chittest::ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    chittest::SetOption("PosChitNoSeq", 1);
    orv::chit::EnsurePairTables();
    goDbMain.Execute("Insert Into TrsCode(TcdKey, TcdNo, TcdName) Values(88001, 88001, 'Partner')");
    gcTcdKey = Currency::Won(88001);
    gsTcdName = "Partner";
    gcLogPsnKey = Currency::Won(5);
  }
  void TearDown() override {
    if (fake_) orv::checkout::SetCollectCardForm(std::move(*fake_));
    ChitFixture::TearDown();
  }
  void FakeCardForm(orv::checkout::CollectCardForm f) {
    auto old = orv::checkout::SetCollectCardForm(std::move(f));
    if (!fake_) fake_ = std::move(old);
  }
  std::optional<orv::checkout::CollectCardForm> fake_;
  // A chit of the partner: credit amount, collected amount, date, sent, kind.
  void Chit(int no, int oisang, int rgum, const QString &date, int junsong, int sss2 = 0) {
    goDbMain.Execute(
        "Insert Into PanChit2403(PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, "
        "PctPsnKey, PctTrsKey, PctOiSang, PctRGum, PctJunsong, PctSss2) Values(2024, 3, " +
        QString::number(date.right(2).toInt()) + ", '" + date + "', " + QString::number(no) +
        ", 1, 1, 88001, " + QString::number(oisang) + ", " + QString::number(rgum) + ", " +
        QString::number(junsong) + ", " + QString::number(sss2) + ")");
  }
  std::unique_ptr<frmOiReturn> Open() {
    auto f = std::make_unique<frmOiReturn>();
    EXPECT_TRUE(f->Form_Load());
    f->show();
    return f;
  }
  static void Type(QLineEdit *box, const QString &text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }
};

TEST_P(CollectForm, FourFiguresFromTheLedgerAndTheSentChits) {
  {
    auto f = Open();  // nothing on file: every box keeps its "0"
    for (QLineEdit *b : {f->txtBefore, f->txtNow, f->txtOiHab, f->txtResent})
      EXPECT_EQ(b->text(), "0") << b->objectName().toStdString();
    EXPECT_EQ(f->windowTitle(), "외매회수");
    EXPECT_EQ(f->lblTsName->text(), "Partner");
  }
  goDbMain.Execute(
      "Insert Into TrsMast2403(TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, TmsMiMiji, "
      "TmsMcMisu) Values(2024, 3, 88001, 1, '20240301', 10000, 110000)");
  goDbMain.Execute(  // another month's ledger row in the same table counts nowhere
      "Insert Into TrsMast2403(TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, TmsMiMiji, "
      "TmsMcMisu) Values(2024, 2, 88001, 1, '20240201', 0, 999000)");
  Chit(1, 20000, 20000, "20240310", 1);      // earlier this month
  Chit(2, 30000, 30000, "20240315", 1);      // today
  Chit(3, 0, 15000, "20240312", 1, 9);       // a collection
  Chit(4, 70000, 70000, "20240315", 0);      // unsent: nowhere
  Chit(5, 0, 5000, "20240315", 0, 9);        // unsent collection: nowhere
  auto f = Open();
  // B = 110000 - 10000 + 50000 = 150000; T = 30000; C = 15000.
  EXPECT_EQ(f->txtBefore->text(), "120,000");
  EXPECT_EQ(f->txtNow->text(), "30,000");
  EXPECT_EQ(f->txtOiHab->text(), "15,000");
  EXPECT_EQ(f->txtResent->text(), "135,000");
}

TEST_P(CollectForm, TypingCashAndEnterSavesAndClosesEscSavesNothing) {
  {
    auto f = Open();
    Type(f->txtOiIpgum, "12a345");
    EXPECT_EQ(f->txtOiIpgum->text(), "12,345");
    QTest::keyClick(f->txtOiIpgum, Qt::Key_Escape);
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(f->Saved());
  }
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 0);
  {
    orv::dialogs::Script script;
    auto f = Open();
    Type(f->txtOiIpgum, "123456789012345");  // the 14th character is refused
    EXPECT_EQ(script.Texts(), QStringList{"입력된 숫자가 범위를 넘었습니다."});
    EXPECT_TRUE(f->txtOiIpgum->text().size() < 14);
    Type(f->txtOiIpgum, "0");
    QTest::keyClick(f->txtOiIpgum, Qt::Key_Return);  // nothing to save
    EXPECT_TRUE(f->isVisible());
    Type(f->txtOiIpgum, "50000");
    QTest::keyClick(f->txtOiIpgum, Qt::Key_Return);
    EXPECT_TRUE(f->Saved());
    EXPECT_FALSE(f->isVisible());
  }
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctSss2=9 AND PctMoney=50000 AND PctTrsKey=88001"), 1);
  EXPECT_EQ(Count(goDbMain, "PosLogs2403", "PlgSel=107"), 1);
}

TEST_P(CollectForm, OnlyACardFormThatApprovedBooksACardCollection) {
  int calls = 0;
  bool approve = false;
  FakeCardForm([&](int fkey) {
    ++calls;
    EXPECT_EQ(gtCardRet.Gum, fkey == 3 ? Currency::Won(-30000) : Currency::Won(30000));
    gtCardRet.CmitNo = "C1";  // a form that filled the record but did not approve
    gtCardRet.CardNo = "4321";
    gtPanList.PclSss2 = 1;
    return approve;
  });
  orv::dialogs::Script script;
  auto f = Open();
  f->txtOiIpCard->setEnabled(true);
  Type(f->txtOiIpCard, "-30000");
  QTest::keyClick(f->txtOiIpCard, Qt::Key_F2);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 0);
  EXPECT_TRUE(f->txtOiIpgum->isEnabled());  // back to cash
  EXPECT_FALSE(f->txtOiIpCard->isEnabled());

  approve = true;
  QTest::keyClick(f->txtOiIpgum, Qt::Key_F4);  // an approved cancellation
  EXPECT_TRUE(f->Saved());
  EXPECT_EQ(Count(goDbMain, "PanChit2403",
                  "PctSss2=9 AND PctCard=-30000 AND PctMoney=0 AND PctCmitNo='C1'"),
            1);
  EXPECT_EQ(Count(goDbMain, "PanList2403", "PclSss2=1"), 1);
  EXPECT_EQ(Count(goDbMain, "PosLogs2403"), 0);  // a card collection logs nothing
}

TEST_P(CollectForm, NoCardNetworkOnlyMovesToTheCardBoxAndABadBusinessNumberCloses) {
  giSetVan = 3;
  auto f = Open();
  QTest::keyClick(f->txtOiIpgum, Qt::Key_F2);
  EXPECT_TRUE(f->txtOiIpCard->isEnabled());
  EXPECT_FALSE(f->txtOiIpgum->isEnabled());
  Type(f->txtOiIpCard, "7000");
  QTest::keyClick(f->txtOiIpCard, Qt::Key_Return);
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCard=7000 AND PctCmitNo=''"), 1);

  giSetVan = 2;
  gsGMDown = QString("a") + QChar(28) + "1234567890";
  goDbMain.Execute("Insert Into ComCode(ComName, ComSaupNo) Values('Shop', '9999999999')");
  orv::dialogs::Script script;
  auto g = Open();
  QTest::keyClick(g->txtOiIpgum, Qt::Key_F2);
  EXPECT_EQ(script.Texts(), QStringList{"카드설정파일에 문제가있습니다."});
  EXPECT_FALSE(g->isVisible());
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 1);
}

TEST_P(CollectForm, TheCardFormsServeTheCollectionAndAnAbandonedOneSavesNothing) {
  gtCardRet.CmitNo = "OLD";  // an approval kept from an earlier failed save
  gtCardRet.CardNo = "1111";
  orv::dialogs::Script script;
  script.OnForm("frmCardChk", [](QWidget &form) { QTest::keyClick(&form, Qt::Key_Escape); });
  auto f = Open();
  EXPECT_EQ(giCardCallMode, 1);
  f->txtOiIpCard->setEnabled(true);
  Type(f->txtOiIpCard, "25000");
  QTest::keyClick(f->txtOiIpCard, Qt::Key_F2);
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 0);
  EXPECT_TRUE(f->isVisible());

  orv::dialogs::Script approve;
  approve.OnForm("frmCardChk", [](QWidget &form) {
    EXPECT_EQ(static_cast<frmCardChk &>(form).txtiGum->text(), "25,000");
    cashtest::AcceptCardChk(form, "TEST1");
  });
  f->txtOiIpCard->setEnabled(true);
  Type(f->txtOiIpCard, "25000");
  QTest::keyClick(f->txtOiIpCard, Qt::Key_F2);
  EXPECT_TRUE(f->Saved());
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCard=25000 AND PctCmitNo LIKE 'TEST%'"), 1);
}

// A screen: one SQLite set-up (its statements are the same text on every engine).
INSTANTIATE_TEST_SUITE_P(Setups, CollectForm,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true}),
                         chittest::SetupName);
