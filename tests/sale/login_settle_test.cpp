#include <gtest/gtest.h>

#include "../chit/sale_fill.h"
#include "chit/pair_commit.h"
#include "sale_screen_fixture.h"
#include "schema/month_tables.h"

using namespace orv;
using saletest::SaleScreenTest;

// A sale whose POS commit was lost: the next login writes its POS copy before any sale.
TEST_F(SaleScreenTest, LoginWritesAPosCopyLostBetweenTheCommits) {
  Login();
  ASSERT_FALSE(goDbMain.SharesSessionWith(goDbPos)) << "the demo login is online";
  CreateMonthTables(2403);
  giWrkYear = 2024;  // the sale's own date
  giWrkMonth = 3;
  giWrkDay = 15;
  chittest::FillSale(3, "lost");
  const QString posText = goDbPos.Text();
  chit::SetPairStepHook([](const char *step) {
    if (QString(step) == "pos-commit") goDbPos.Close();
  });
  {
    dialogs::Script s;
    s.ExpectAllUsed(false);
    const chit::PairOutcome out = chit::PairCommit([] {
      QString err = gsPanChitInsert(1, 0);
      return err.isEmpty() ? gsPanChitTInsert(1) : err;
    });
    EXPECT_EQ(out.result, chit::PairResult::CopyPending);
  }
  chit::SetPairStepHook({});
  goDbPos.Open(posText);
  auto copies = [] { return goDbPos.OpenRecordset("SELECT PctChtNo FROM PanChitT2403").RecordCount(); };
  ASSERT_EQ(copies(), 0);
  ASSERT_EQ(goDbMain.OpenRecordset("SELECT * FROM OrvPairJournal").RecordCount(), 1);

  delete main_;
  main_ = nullptr;
  Login();
  EXPECT_EQ(goDbMain.OpenRecordset("SELECT * FROM OrvPairJournal").RecordCount(), 0);
  EXPECT_EQ(copies(), 1);
  EXPECT_EQ(goDbPos.OpenRecordset("SELECT PcgSeqNo FROM PanGodsT2403").RecordCount(), 3);
}
