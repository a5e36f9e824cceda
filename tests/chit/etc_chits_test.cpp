#include <gtest/gtest.h>

#include "chit/etc_chits.h"
#include "chit/saver_state.h"
#include "chit_fixture.h"

using chittest::ChitFixture;
using orv::Currency;

namespace {
void FillHead(EtcChitRec &h, int32_t screenNo) {
  h.Year = 2024;
  h.Mon = 3;
  h.Day = 15;
  h.Date = "20240315";
  h.ChtNo = screenNo;
  h.PosNo = 3;
  h.PsnKey = Currency::Won(5);
  h.Hab = Currency::Won(4500);
  h.WrtDate = "20240315";
  h.WrtTime = "140520";
}
void FillLine(EtcGodsRec &g, EtcGodsSpeedRec &s, int row, const QString &text = {}) {
  g.Year[row] = s.Year[row] = 2024;
  g.Mon[row] = s.Mon[row] = 3;
  g.Day[row] = s.Day[row] = 15;
  g.Date[row] = s.Date[row] = "20240315";
  g.SeqNo[row] = s.SeqNo[row] = int16_t(row);
  g.GdsKey[row] = Currency::Won(100 + row);
  g.Su[row] = Currency::Won(1);
  g.Danga[row] = Currency::Won(1500);
  g.Gum[row] = Currency::Won(1500);
  s.Text[row] = text.isEmpty() ? QString("88%1;O'Brien bread;1;1500;1500;").arg(row) : text;
}
}  // namespace

class EtcChits : public ChitFixture {};

TEST_P(EtcChits, HeldChitWritesOnlyFilledRowsUnderTheNextNumberFromCopies) {
  FillHead(gtWatChit, 77);
  for (int row : {1, 2, 5}) FillLine(gtWatGods, gtWatGodsSpeed, row);
  const QString longText = QString(400, QChar('x')) + ";";  // snapshots are stored uncut
  FillLine(gtWatGods, gtWatGodsSpeed, 5, longText);
  EXPECT_EQ(gsWatChitTInsert(0), "");
  EXPECT_EQ(gtWatChitT.ChtNo, 1);
  EXPECT_EQ(gtWatChit.ChtNo, 77);  // the screen's records stay untouched
  EXPECT_EQ(gtWatGodsT.ChtNo[150], 1);
  EXPECT_EQ(Count(goDbPos, "WatChitT", "WctChtNo=1"), 1);
  auto rs = goDbPos.OpenRecordset("Select * From WatGodsT Order By WcgSeqNo");
  ASSERT_EQ(rs.RecordCount(), 3);
  ClearWatGodsRecords();
  for (int i = 1; !rs.Eof(); rs.MoveNext(), ++i) ReadWatGodsRecord(rs, i);
  EXPECT_EQ(gtWatGods.SeqNo[3], 5);
  EXPECT_EQ(gtWatGods.ChtNo[3], 1);
  auto sp = goDbPos.OpenRecordset("Select * From WatGodsTSpeed Order By WcgSSeqNo");
  ASSERT_EQ(sp.RecordCount(), 3);
  ReadWatGodsSpeedRecord(sp, 1);
  EXPECT_EQ(gtWatGodsSpeed.Text[1], "881;O'Brien bread;1;1500;1500;");
  sp.MoveLast();
  ReadWatGodsSpeedRecord(sp, 2);
  EXPECT_EQ(gtWatGodsSpeed.Text[2], longText);
  // The next held chit of the day takes the next number; without goods only its header.
  ClearWatGodsRecords();
  ClearWatGodsSpeedRecords();
  EXPECT_EQ(gsWatChitTInsert(0), "");
  EXPECT_EQ(gtWatChitT.ChtNo, 2);
  EXPECT_EQ(Count(goDbPos, "WatGodsT", "WcgChtNo=2"), 0);
  EXPECT_EQ(Count(goDbPos, "WatChitT", "WctChtNo=2"), 1);
}

TEST_P(EtcChits, FailingStepsNameTheirLineAndRollBackWhatTheSaverOwns) {
  FillHead(gtWatChit, 0);
  for (int row = 1; row <= 9; ++row) FillLine(gtWatGods, gtWatGodsSpeed, row);
  // Line 7's key is taken already (a row without a header).
  goDbPos.Execute(
      "Insert Into WatGodsT(WcgYear,WcgMon,WcgDay,WcgDate,WcgChtNo,WcgSeqNo,WcgGdsKey,WcgCommit)"
      " Values(2024,3,15,'20240315',1,7,1,0)");
  const QString err = gsWatChitTInsert(0);
  EXPECT_TRUE(err.startsWith("[gsWatGodsTInsSql(7):")) << err.toStdString();
  EXPECT_TRUE(err.endsWith("]"));
  EXPECT_EQ(gsSaveErr, err);
  EXPECT_EQ(Count(goDbPos, "WatChitT"), 0);
  EXPECT_EQ(Count(goDbPos, "WatGodsT"), 1);
  EXPECT_EQ(goDbPos.TransLevel(), 0);

  // The delivery chit: the same fault with the caller's transaction; the records come back.
  FillHead(gtBdlChit, 42);
  for (int row = 1; row <= 3; ++row) FillLine(gtBdlGods, gtBdlGodsSpeed, row);
  goDbPos.Execute(
      "Insert Into BdlGodsSpeed(BcgSYear,BcgSMon,BcgSDay,BcgSDate,BcgSChtNo,BcgSSeqNo,BcgSText,"
      "BcgSCommit) Values(2024,3,15,'20240315',1,2,'',0)");
  goDbPos.BeginTrans();
  const QString bdlErr = gsBdlChitInsert(1);
  EXPECT_TRUE(bdlErr.startsWith("[gsBdlGodsSpeedInsSql(2):")) << bdlErr.toStdString();
  EXPECT_EQ(goDbPos.TransLevel(), 1);  // the caller's to end
  goDbPos.RollbackTrans();
  EXPECT_EQ(Count(goDbPos, "BdlChit"), 0);
  EXPECT_EQ(gtBdlChit.ChtNo, 42);
  EXPECT_EQ(gtBdlGods.ChtNo[1], 0);
  // Without the planted row it goes through and numbers every element.
  goDbPos.Execute("Delete From BdlGodsSpeed");
  EXPECT_EQ(gsBdlChitInsert(0), "");
  EXPECT_EQ(gtBdlChit.ChtNo, 1);
  EXPECT_EQ(gtBdlGods.ChtNo[150], 1);
  EXPECT_EQ(gtBdlGodsSpeed.ChtNo[3], 1);
  EXPECT_EQ(Count(goDbPos, "BdlGods", "BcgChtNo=1"), 3);
  EXPECT_EQ(Count(goDbPos, "BdlGodsSpeed", "BcgSChtNo=1"), 3);
}

TEST_P(EtcChits, ClearsKeepElementZero) {
  gtWatGods.GdsKey[0] = Currency::Won(9);
  gtWatGods.GdsKey[150] = Currency::Won(9);
  gtBdlGodsSpeed.Text[0] = "keep";
  gtBdlGodsSpeed.Text[1] = "drop";
  ClearWatGodsRecords();
  ClearBdlGodsSpeedRecords();
  EXPECT_EQ(gtWatGods.GdsKey[0], Currency::Won(9));
  EXPECT_TRUE(gtWatGods.GdsKey[150].IsZero());
  EXPECT_EQ(gtBdlGodsSpeed.Text[0], "keep");
  EXPECT_TRUE(gtBdlGodsSpeed.Text[1].isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Setups, EtcChits, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);
