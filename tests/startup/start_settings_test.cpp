#include <gtest/gtest.h>

#include "core/pos_settings.h"
#include "core/scrambler.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/settings_store.h"
#include "startup/start_settings.h"
#include "test_support.h"

namespace store = orv::settings_store;

namespace {

class StartSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = orvtest::MakeTempDir();
    store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    orv::state::ResetProgramState();
    orv::clock::SetFixed(QDateTime(QDate(2024, 1, 30), QTime(10, 0)));
  }
  void TearDown() override {
    orv::clock::Reset();
    store::SetFilePath({});
    orv::state::ResetProgramState();
  }
  std::unique_ptr<QTemporaryDir> dir_;
};

}  // namespace

TEST_F(StartSettingsTest, FirstRunWritesTheDefaultsOverWhatWasStored) {
  // Without "Update" the stored values count for nothing.
  store::SaveSetting("gsSetMainDB", EncodeSetting("server=old;driver={SQLite}"));
  store::SaveSetting("giSetLog", "1");
  giSetDisp = 5;  // not a first-run value: back to 0
  LoadStartPosSettings();

  struct Default {
    const char *key;
    const char *text;
  };
  for (const Default &d : {Default{"gsSetMainDB", ""}, Default{"gsSetPosDB", ""},
                           Default{"giSetPosNo", "1"}, Default{"gsSetScan", "9600,N,8,1"},
                           Default{"giSetScanPort", "1"}, Default{"giSetScanSets", "0"},
                           Default{"gsSetPrnPort", "LPT1"}, Default{"giSetVan", "3"},
                           Default{"gcSetCdCount", "0"}, Default{"giSetLog", "0"},
                           Default{"giSetDisp", "0"}, Default{"gsSetID", ""},
                           Default{"Update", "20240130"}})
    EXPECT_EQ(store::GetSetting(d.key), d.text) << d.key;
  EXPECT_EQ(giSetDisp, 0);
}

TEST_F(StartSettingsTest, StoredSetIsLoadedWithWorkingPorts) {
  store::SaveSetting("Update", "20240101");
  store::SaveSetting("giSetPosNo", "7");
  store::SaveSetting("gsSetPrnPort", "");
  store::SaveSetting("giSetScanPort", "0");
  LoadStartPosSettings();
  EXPECT_EQ(giSetPosNo, 7);
  EXPECT_EQ(gsSetPrnPort, "LPT1");
  EXPECT_EQ(giSetScanPort, 1);
  // Only memory: the stored set stays as it was.
  EXPECT_EQ(store::GetSetting("gsSetPrnPort"), "");
  EXPECT_EQ(store::GetSetting("Update"), "20240101");
}
