// Offline chits sent to the main database at an online login: every part copied under a
// free number, customers raised once per chit, member copies re-queued, and a chit whose
// POS half was lost is not sent twice.
#include <gtest/gtest.h>

#include "../chit/chit_fixture.h"
#include "../chit/sale_fill.h"
#include "chit/pair_commit.h"
#include "chit/sale_savers.h"
#include "sync/basSync.h"
#include "sync/send_units.h"

using chittest::ChitFixture;

class SendChits : public ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gsSetPosDB = posText_;
    gsSetMainDB = mainText_;
    chittest::SetOption("PosChitNoSeq", 1);
  }
  void TearDown() override {
    orv::sync::SetSendStepHook({});
    ChitFixture::TearDown();
  }
  // A sale saved while offline: the working connection on the POS database.
  int SaveOffline(int lines, const QString &tag) {
    goDbMain.Open(posText_);
    chittest::FillSale(lines, tag);
    const QString err = gsPanChitInsert(0, 0);
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    const int no = gtPanChit.PctChtNo;
    goDbMain.Open(mainText_);
    return no;
  }
  int MainNoOf(const QString &tag) {
    auto rs = goDbMain.OpenRecordset("Select PctChtNo From PanChit2403 Where PctCmitNo='" + tag + "'");
    return rs.RecordCount() == 1 ? rs.Field(0).toInt() : -rs.RecordCount();
  }
  QString CstTotals() {
    auto rs = goDbMain.OpenRecordset(
        "Select CcdTcnt, CcdCnt, CcdTzerdo, CcdZerdo, CcdTjumsu, CcdJumsu From CstCode Where CcdKey=77");
    QStringList out;
    for (int i = 0; i < 6; ++i) out << NzCur(rs.Field(i)).ToPlainText();
    return out.join(",");
  }
};

TEST_P(SendChits, EveryPartGoesOnceUnderAFreeNumber) {
  goDbMain.Execute(
      "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdTcnt, CcdCnt, CcdTzerdo, CcdZerdo, "
      "CcdTjumsu, CcdJumsu) Values(77, 77, 'Hong', 0, 0, 0, 0, 0, 0)");
  const int a = SaveOffline(3, "A");
  const int b = SaveOffline(150, "B");
  ASSERT_EQ(b, a + 1);
  PlantChit(goDbMain, "PanChit2403", a);  // another checkout holds A's number that day
  const QString na = QString::number(a + 1), nb = QString::number(a + 2);
  // A member sale: two list rows, two money rows and its offline member copy.
  goDbPos.Execute("Update PanChit2403 Set PctCstKey=77 Where PctChtNo=" + QString::number(a));
  goDbPos.Execute("Update PanList2403 Set PclGum01=1000, PclGum02=10 Where PclChtNo=" +
                  QString::number(a));
  goDbPos.Execute(
      "Insert Into PanList2403(PclYear,PclMon,PclDay,PclDate,PclChtNo,PclPosNo,PclPsnKey,PclSel,"
      "PclGum01,PclGum02) Values(2024,3,15,'20240315'," + QString::number(a) + ",9,5,0,500,5)");
  for (int n : {1, 2})
    goDbPos.Execute(
        "Insert Into PanMoney2403(PmoYear,PmoMon,PmoDay,PmoDate,PmoNo,PmoChtNo,PmoPosNo,"
        "PmoPsnKey,PmoHab,PmoCmitNo,PmoJunsong) Values(2024,3,15,'20240315'," +
        QString::number(n) + "," + QString::number(a) + ",3,5,100,'it''s',0)");
  goDbPos.Execute(
      "Insert Into PanChitOff(PctYear,PctMon,PctDay,PctDate,PctComNo,PctChtNo,PctPosNo,"
      "PctPsnKey) Values(2024,3,15,'20240315',4," + QString::number(a) + ",3,5)");
  goDbPos.Execute(
      "Insert Into PanListOff(PclYear,PclMon,PclDay,PclDate,PclComNo,PclChtNo,PclPosNo,"
      "PclPsnKey,PclSel) Values(2024,3,15,'20240315',4," + QString::number(a) + ",3,5,0)");
  // More lines than a screen chit holds.
  for (int i = 151; i <= 160; ++i)
    goDbPos.Execute("Insert Into PanGods2403(PcgYear,PcgMon,PcgDay,PcgDate,PcgChtNo,PcgSeqNo,"
                    "PcgGdsKey,PcgJunsong) Values(2024,3,15,'20240315'," + QString::number(b) +
                    "," + QString::number(i) + "," + QString::number(5000 + i) + ",0)");

  {
    // The first chit's main half commits, its POS half is lost.
    struct Throw {
      Throw() {
        orv::sync::SetSendStepHook([](const char *s) {
          if (qstrcmp(s, "pos-commit") == 0) throw orv::db::DbError(-1, "killed");
        });
      }
      ~Throw() { orv::sync::SetSendStepHook({}); }
    } kill;
    EXPECT_THROW(SendUnsentData(SendProgress{}), orv::db::DbError);
  }
  EXPECT_EQ(MainNoOf("A"), a + 1);
  EXPECT_EQ(Count(goDbPos, "PanChit2403", "PctJunsong=0"), 2);

  SendUnsentData(SendProgress{});
  EXPECT_EQ(MainNoOf("A"), a + 1) << "sent once";
  EXPECT_EQ(MainNoOf("B"), a + 2) << "past A, which took its number";
  EXPECT_EQ(Count(goDbMain, "PanList2403", "PclChtNo=" + na), 2);
  EXPECT_EQ(Count(goDbMain, "PanGods2403", "PcgChtNo=" + na + " And PcgJunsong=1"), 3);
  EXPECT_EQ(Count(goDbMain, "PanGods2403", "PcgChtNo=" + nb), 160);
  EXPECT_EQ(Count(goDbMain, "PanMoney2403", "PmoChtNo=" + na + " And PmoCmitNo='it''s'"), 2);
  EXPECT_EQ(CstTotals(), "1,1,1500,1500,15,15") << "one visit, both list rows";
  EXPECT_EQ(Count(goDbPos, "PanChit2403", "PctJunsong=1"), 2);
  EXPECT_EQ(Count(goDbPos, "PanGods2403", "PcgJunsong=0"), 0);
  EXPECT_EQ(Count(goDbPos, "PanMoney2403", "PmoJunsong=1"), 2);
  EXPECT_EQ(Count(goDbPos, "PanChitOff"), 0);
  EXPECT_EQ(Count(goDbPos, "PanListOff"), 0);
  EXPECT_EQ(Count(goDbPos, "PanChitOn", "PctChtNo=" + na + " And PctComNo=4"), 1);
  EXPECT_EQ(Count(goDbPos, "PanListOn", "PclChtNo=" + na + " And PclComNo=4"), 1);
  EXPECT_EQ(Count(goDbMain, "OrvSendJournal"), 0);

  // Nothing is left to send.
  SendUnsentData(SendProgress{});
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 3);
  EXPECT_EQ(CstTotals(), "1,1,1500,1500,15,15");
}

TEST_P(SendChits, OlderMonthsWithUnsentRowsGetPassesOfTheirOwn) {
  CreateMonthTables(2311);
  goDbPos.Execute(
      "Insert Into PanChit2311(PctYear,PctMon,PctDay,PctDate,PctChtNo,PctPosNo,PctPsnKey,"
      "PctJunsong) Values(2023,11,30,'20231130',4,3,5,0)");
  QStringList texts;
  SendUnsentData([&](int, const QString &t) { texts << t; });
  EXPECT_TRUE(texts.contains("* 3/3 PanChit2311 (1/1) *")) << texts.join("|").toStdString();
  EXPECT_TRUE(texts.contains("* 1/3 PanChit2403 *"));
  EXPECT_EQ(Count(goDbMain, "PanChit2311", "PctChtNo=4"), 1);
  EXPECT_EQ(Count(goDbPos, "PanChit2311", "PctJunsong=1"), 1);
}

TEST_P(SendChits, AMarkedRetryGoesOnlyWhenItsEarlierSaveDidNotLand) {
  const int landed = SaveOffline(2, "L");
  const int retried = SaveOffline(2, "R");
  orv::chit::EnsurePairTables();
  // Both kept offline after a save whose outcome was unknown; only the first of those
  // earlier saves reached the main database (its journal row is there).
  for (auto [no, mainNo] : {std::pair{landed, 501}, std::pair{retried, 502}})
    goDbPos.Execute(QString("Insert Into OrvPairUnknown(PjuDate, PjuChtNo, PjuPosNo, PjuMainDate, "
                            "PjuMainNo) Values('20240315', %1, 3, '20240315', %2)")
                        .arg(no)
                        .arg(mainNo));
  goDbMain.Execute("Insert Into OrvPairJournal(PjnPosNo, PjnDate, PjnChtNo) "
                   "Values(3, '20240315', 501)");
  SendUnsentData(SendProgress{});
  EXPECT_EQ(MainNoOf("L"), 0) << "never booked twice";
  EXPECT_GT(MainNoOf("R"), 0);
  EXPECT_EQ(Count(goDbPos, "PanChit2403", "PctCmitNo='L'"), 0) << "settled, not left waiting";
  EXPECT_EQ(Count(goDbPos, "PanChit2403", "PctJunsong=0"), 0);
  EXPECT_EQ(Count(goDbPos, "OrvPairUnknown"), 0);
}

INSTANTIATE_TEST_SUITE_P(Setups, SendChits,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                           chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
