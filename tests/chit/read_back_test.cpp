#include <gtest/gtest.h>

#include "chit/pos_logs.h"
#include "chit/read_back.h"
#include "chit/records.h"
#include "chit/sale_savers.h"
#include "chit/saver_state.h"
#include "chit_fixture.h"
#include "core/card_ret.h"
#include "platform/dialogs.h"
#include "sale_fill.h"

using chittest::ChitFixture;
using orv::Currency;

class ReadBack : public ChitFixture {};

TEST_P(ReadBack, ALastMonthChitComesBackAsItsReversalOnTheWorkDate) {
  // A card chit of 2024-02-20 with three lines of quantities 2, 1 and 5.
  giWrkMonth = 2;
  giWrkDay = 20;
  CreateMonthTables(2402);
  chittest::FillSale(3);
  gtPanChit.PctMon = 2;
  gtPanChit.PctDay = 20;
  gtPanChit.PctDate = "20240220";
  for (int i = 1; i <= 3; ++i) {
    gtPanGods[i].PcgMon = 2;
    gtPanGods[i].PcgDay = 20;
    gtPanGods[i].PcgDate = "20240220";
    gtPanGods[i].PcgSu = Currency::Won(i == 1 ? 2 : i == 2 ? 1 : 5);
    gtPanGods[i].PcgCardGum = Currency::Won(100 * i);
  }
  gtPanList.PclMon = 2;
  gtPanList.PclDay = 20;
  gtPanList.PclDate = "20240220";
  gtPanList.PclGum01 = Currency::Won(10);
  gtPanList.PclGum03 = Currency::Won(30);
  gtPanChit.PctCard = Currency::Won(4500);
  gtPanChit.PctCmitNo = "12345678";
  gtPanChit.PctCmitDate = "240220";
  gtPanChit.PctCDGubun = "";
  ASSERT_EQ(gsPanChitInsert(0, 1), "");
  const int32_t no = gtPanChit.PctChtNo;

  orv::state::ResetChitState();
  giWrkMonth = 3;
  giWrkDay = 15;
  giOldChtYear = 2024;
  giOldChtMon = 2;
  giOldChtDay = 20;
  goOldChtNo = no;
  QString partner;
  SetReadBackTraderSink([&](Currency, Currency, const QString &name) { partner = name; });
  ReadPanChit();
  SetReadBackTraderSink({});
  EXPECT_EQ(gtPanChit.PctDate, "20240315");
  EXPECT_EQ(gtPanChit.PctChtNo, 0);
  EXPECT_EQ(gtPanChit.PctHab, Currency::Won(-4500));
  EXPECT_EQ(gcOldChtCard, Currency::Won(4500));
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(-4500));
  EXPECT_EQ(gtCardRet.CmitNo, "12345678");
  EXPECT_EQ(gtCardRet.Halbu, 0);
  EXPECT_EQ(goReadGodsCnt, 3);
  EXPECT_EQ(gcReadTotSu, Currency::Won(8));
  EXPECT_EQ(gtPanGods[1].PcgSu, Currency::Won(-2));
  EXPECT_EQ(gtPanGods[3].PcgSu, Currency::Won(-5));
  EXPECT_EQ(gtPanGods[3].PcgCardGum, Currency::Won(-300));
  EXPECT_EQ(gtPanGods[3].PcgDanga, Currency::Won(1500));
  EXPECT_EQ(gtPanGods[2].PcgDate, "20240315");
  EXPECT_EQ(gtPanList.PclGum01, Currency::Won(-10));
  EXPECT_EQ(gtPanList.PclGum03, Currency::Won(30));
  EXPECT_EQ(partner, "0");
}

TEST_P(ReadBack, MoreThan150StoredLinesStopAt150AndSaySo) {
  giOldChtYear = 2024;
  giOldChtMon = 3;
  giOldChtDay = 15;
  goOldChtNo = 9;
  PlantChit(goDbMain, "PanChit2403", 9);
  for (int i = 1; i <= 152; ++i)
    goDbMain.Execute(
        "Insert Into PanGods2403(PcgYear,PcgMon,PcgDay,PcgDate,PcgChtNo,PcgSeqNo,PcgGdsKey,PcgSu)"
        " Values(2024,3,15,'20240315',9," + QString::number(i) + ",1,1)");
  orv::dialogs::Script script;
  ReadPanChit();
  EXPECT_EQ(goReadGodsCnt, 150);
  EXPECT_EQ(gtPanGods[150].PcgSeqNo, 150);
  EXPECT_EQ(script.Texts(), QStringList{kTooManyLinesText});
  // A number without a chit leaves the records empty.
  goOldChtNo = 10;
  ReadPanChit();
  EXPECT_EQ(goReadGodsCnt, 0);
  EXPECT_TRUE(gtPanChit.PctHab.IsZero());
  EXPECT_TRUE(gcOldChtCard.IsZero());
}

INSTANTIATE_TEST_SUITE_P(Setups, ReadBack, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);
