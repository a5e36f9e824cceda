#include <gtest/gtest.h>

#include "core/scrambler.h"
#include "core/values.h"
#include "settings/pc_snapshot.h"
#include "settings_fixture.h"

using namespace orv;
using orvtest::SettingsDbTest;
namespace store = orv::settings_store;

namespace {

TEST(PcSetKeys, EveryKeyReachesTheSettingsListOrIsOneOfTheTwoRawOnes) {
  const auto keys = settings::PcSetKeys();
  ASSERT_EQ(keys.size(), 54u);
  int raw = 0;
  for (const settings::PcSetKey &k : keys) {
    if (k.global) {
      EXPECT_NE(PosSettingKeyOf(k.global), nullptr) << k.ReadName().toStdString();
    } else {
      ++raw;
    }
  }
  EXPECT_EQ(raw, 2);
  EXPECT_EQ(keys[0].ReadName(), "gsSetMainDB");
  EXPECT_EQ(keys[2].ReadName(), "GsnOrvPass");
  EXPECT_EQ(keys[36].ReadName(), "giSetinterval");
  EXPECT_EQ(keys[36].WrittenName(), "giSetInterVal");
  EXPECT_EQ(keys[48].ReadName(), "giBadalPrintSu");
  EXPECT_EQ(keys[49].ReadName(), "gsCodeDate");
  EXPECT_EQ(keys[49].WrittenName(), "GsCodeDate");
  EXPECT_EQ(keys[53].ReadName(), "giSetDrawAuto");
  for (int i = 0; i < 54; ++i) EXPECT_EQ(keys[i].Scrambled(), i < 3) << i;
}

class PcSnapshot : public SettingsDbTest {
 protected:
  void SetUp() override {
    SettingsDbTest::SetUp();
    if (IsSkipped()) return;
    gsSetMainDB = "server=;driver={SQLite};uid=;pwd=p'w;database=main.db";
    giSetPosNo = 3;
    giSetVan = 10;
    giSetinterval = 20;
    gsCodeDate = "20240101";
    SavePosSettings();
    store::SaveSetting("GsnOrvPass", EncodeSetting("secret"));
    store::SaveSetting("giBadalPrintSu", "2");
  }
  QString Char(const QString &key) { return settings::GetPcRegChar(db_, key); }
};

TEST_P(PcSnapshot, SaveWritesFiftyFiveRowsUnderTheNumber) {
  const auto report = settings::SavePcSetToDb(db_, 3, settings::LoadPcSetFromReg());
  EXPECT_TRUE(report.failed.isEmpty());
  EXPECT_TRUE(report.cut.isEmpty());
  EXPECT_EQ(Count("Select * From OrvKorea"), 55);
  EXPECT_EQ(settings::GetPcRegText(db_, "gsSetMainDB3"), EncodeSetting(gsSetMainDB));
  EXPECT_EQ(DecodeSetting(settings::GetPcRegText(db_, "GsnOrvPass3")), "secret");
  EXPECT_EQ(Char("giSetVan3"), "10");
  EXPECT_EQ(Char("giBadalPrintSu3"), "2");
  EXPECT_EQ(Char("gsSetPosVersion3"), "Ver 2024.01.30");
  // Written in one spelling, found in another.
  EXPECT_EQ(Count("Select * From OrvKorea Where regKey = 'giSetInterVal3'"), 1);
  EXPECT_EQ(Count("Select * From OrvKorea Where regKey = 'GsCodeDate3'"), 1);
  EXPECT_EQ(Char("giSetinterval3"), "20");
  EXPECT_EQ(Char("gsCodeDate3"), "20240101");
  EXPECT_EQ(settings::GetPcRegInt(db_, "giSetVan3"), 0);
}

TEST_P(PcSnapshot, SecondSaveUpdatesKeepingSpellingAndOtherColumns) {
  settings::PutPcRegChar(db_, "GISETVAN3 ", "old");
  db_.Execute("Update OrvKorea Set regSss2 = 7, regInt = 4");
  settings::SavePcSetToDb(db_, 3, settings::LoadPcSetFromReg());
  settings::SavePcSetToDb(db_, 3, settings::LoadPcSetFromReg());
  EXPECT_EQ(Count("Select * From OrvKorea"), 55);
  auto rs = db_.OpenRecordset("Select * From OrvKorea Where regKey Like 'GISETVAN3%'");
  ASSERT_EQ(rs.RecordCount(), 1);
  rs.MoveFirst();
  EXPECT_EQ(NzStr(rs.Field("regChar")), "10");
  EXPECT_EQ(NzCur(rs.Field("regSss2")).RoundToInt(), 7);
  EXPECT_EQ(NzCur(rs.Field("regInt")).RoundToInt(), 4);
}

TEST_P(PcSnapshot, LoadGivesTheSavedSettingsBackAndDeleteKeepsTheVersionRow) {
  settings::SavePcSetToDb(db_, 3, settings::LoadPcSetFromReg());
  store::SaveSetting("giSetVan", "1");
  store::SaveSetting("giSetInterVal", "99");
  store::SaveSetting("GsnOrvPass", "");
  const auto rec = settings::LoadPcSetFromDb(db_, 3);
  ASSERT_TRUE(rec.has_value());
  ASSERT_TRUE(settings::SavePcSetToReg(*rec));
  LoadPosSettings();
  EXPECT_EQ(giSetVan, 10);
  EXPECT_EQ(giSetinterval, 20);
  EXPECT_EQ(gsCodeDate, "20240101");
  EXPECT_EQ(gsSetMainDB, "server=;driver={SQLite};uid=;pwd=p'w;database=main.db");
  EXPECT_EQ(DecodeSetting(store::GetSetting("GsnOrvPass")), "secret");

  settings::DeletePcSetFromDb(db_, 3);
  EXPECT_EQ(Count("Select * From OrvKorea"), 1);
  EXPECT_EQ(Char("gsSetPosVersion3"), "Ver 2024.01.30");
  EXPECT_FALSE(settings::LoadPcSetFromDb(db_, 3).has_value());
}

TEST_P(PcSnapshot, NumberNeverSavedIsRefused) {
  EXPECT_FALSE(settings::LoadPcSetFromDb(db_, 5).has_value());  // no table yet
  settings::SavePcSetToDb(db_, 3, settings::LoadPcSetFromReg());
  EXPECT_FALSE(settings::LoadPcSetFromDb(db_, 5).has_value());
  // A copy whose main connection is empty would leave the PC without a database.
  settings::PutPcRegText(db_, "gsSetMainDB3", EncodeSetting(""));
  EXPECT_FALSE(settings::LoadPcSetFromDb(db_, 3).has_value());
}

TEST_P(PcSnapshot, LongValueIsCutAtFiftyBytesOfWholeCharactersAndReported) {
  // 24 syllables and "x" are 49 bytes; the next syllable would straddle byte 50.
  gsSaupNo = QString(24, QChar(0xAC00)) + "x" + QChar(0xAC01);
  SavePosSettings();
  const auto report = settings::SavePcSetToDb(db_, 12, settings::LoadPcSetFromReg());
  EXPECT_EQ(report.cut, QStringList{"gsSaupNo12"});
  EXPECT_EQ(Char("gsSaupNo12"), QString(24, QChar(0xAC00)) + "x");
  EXPECT_EQ(Char("giSetVan12"), "10");
}

INSTANTIATE_TEST_SUITE_P(Engines, PcSnapshot, ORV_BOTH_ENGINES);

}  // namespace
