// A return paid by a card cancellation whose save fails: the retry of the same return uses
// the cancellation, another chit's return asks the card network again.
#include "cash_form_fixture.h"

#include "chit/pair_commit.h"
#include "chit/read_back.h"
#include "checkout/checkout_globals.h"

namespace cashtest {
namespace {

// What a recall of the card chit for a return leaves: the original approval in gtCardRet.
void RecallForReturn(int32_t chitNo) {
  giChtEditMode = 2;
  chittest::FillSale(3);
  gtPanChit.PctHab = W(-4500);
  gtPanChit.PctCard = W(-4500);
  gtPanChit.PctMoney = {};
  gtCardRet = {};
  gtCardRet.CmitNo = "OLD1";
  gtCardRet.CmitDate = "240310";
  gtCardRet.Gum = W(-4500);
  gcOldChtCard = W(-4500);
  gsOldChtDate = "20240310";
  glOldChtNo = chitNo;
}

// Both engines: the retry reads and writes the same month tables on each.
class ReturnCancelTest : public CashFormTest {};

TEST_P(ReturnCancelTest, AFailedReturnKeepsItsCancellationForTheSameChitOnly) {
  int requests = 0;
  auto cancel = [&](QWidget &w) {
    ++requests;
    EXPECT_EQ(gtCardRet.CmitNo, "OLD1");
    gtCardRet.CmitNo = "C9" + QString::number(requests);
    gtCardRet.CmitDate = "240315";
    gtCardRet.CardNo = "9410-****";
    gtCardRet.Gum = W(-4500);
    giCardOk = 1;
    static_cast<QDialog &>(w).accept();
  };
  RecallForReturn(7);
  orv::chit::SetPairStepHook([](const char *step) {
    if (QLatin1String(step) == QLatin1String("main-commit"))
      throw orv::db::DbError(orv::db::kErrGeneric, "disk full");
  });
  {
    dlg::Script s;
    s.OnForm("frmDisCard", cancel);
    Open();
    QApplication::processEvents();
    ASSERT_EQ(s.Texts().size(), 1);
    EXPECT_TRUE(s.Texts()[0].contains("C91"));
    EXPECT_TRUE(s.Texts()[0].contains("-4,500"));
  }
  EXPECT_EQ(giCashSaved, 0);
  EXPECT_EQ(gtKeptCancel.cancelledCmitNo, "OLD1");
  EXPECT_EQ(gtKeptCancel.cancel.CmitNo, "C91");
  orv::chit::SetPairStepHook({});

  // The same return recalled again: saved with the kept cancellation, no second request.
  RecallForReturn(7);
  {
    dlg::Script s;
    NoReceipt(s);
    s.OnForm("frmDisCard", cancel);
    Open();
    QApplication::processEvents();
  }
  EXPECT_EQ(requests, 1);
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCmitNo='C91' And PctCard=-4500"), 1);
  EXPECT_FALSE(gtKeptCancel.IsSet()) << "a saved chit ends the kept cancellation";

  // Another chit's return after a failed one: its own request.
  orv::chit::SetPairStepHook([](const char *step) {
    if (QLatin1String(step) == QLatin1String("main-commit"))
      throw orv::db::DbError(orv::db::kErrGeneric, "disk full");
  });
  RecallForReturn(8);
  {
    dlg::Script s;
    s.OnForm("frmDisCard", cancel);
    Open();
    QApplication::processEvents();
  }
  orv::chit::SetPairStepHook({});
  EXPECT_EQ(requests, 2);
  RecallForReturn(9);
  {
    dlg::Script s;
    NoReceipt(s);
    s.OnForm("frmDisCard", cancel);
    Open();
    QApplication::processEvents();
  }
  EXPECT_EQ(requests, 3);
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCmitNo='C93'"), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReturnCancelTest,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                           chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);

}  // namespace
}  // namespace cashtest
