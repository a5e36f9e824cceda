// F3 on the payment screen through the real card dialog and the KICC agent simulator to a
// saved chit.
#include "../van/sim_process.h"
#include "cash_form_fixture.h"
#include "core/pos_settings.h"
#include "van/van_wait.h"

namespace {

using namespace cashtest;

class CashKiccTest : public CashFormTest {};

TEST_P(CashKiccTest, F3ApprovesThroughTheAgentAndTheChitKeepsItsNumber) {
  vantest::SimProcess agent("orvvansim-kicc", dir_->path());
  ASSERT_NE(agent.Port(), 0);
  gsSetServerIp = "127.0.0.1";
  gsSetServerPort = QString::number(agent.Port());
  orv::van::Timeouts() = {1000, 2000, 400, 400, 0};

  frmCash &f = Open();
  Type(f.txtPayGum, "1500");
  dlg::Script s;
  NoReceipt(s);
  s.OnForm("frmCardChk", [](QWidget &w) {
    auto &card = static_cast<frmCardChk &>(w);
    card.txtiHalbu->setText("00");
    card.StartFromMonths();
  });
  Key(Qt::Key_F3, f.txtNo);
  EXPECT_TRUE(f.Closed());
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_EQ(Count(goDbMain, "PanChit2403", "PctCard=3000 And PctCmitNo='40000001' And PctCDComNo='0026'"), 1);
  EXPECT_EQ(Count(goDbPos, "CardLog"), 3);
  ASSERT_EQ(agent.Journal().size(), 1);
  EXPECT_TRUE(agent.Journal()[0].startsWith("POST D1 |  | 3000 | 00 |")) << agent.Journal()[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(OneSetup, CashKiccTest,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true}),
                         chittest::SetupName);

}  // namespace
