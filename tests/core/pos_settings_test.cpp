#include <gtest/gtest.h>

#include <QFile>
#include <variant>

#include "core/pos_settings.h"
#include "core/scrambler.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/settings_store.h"
#include "test_support.h"

namespace store = orv::settings_store;
using orv::Currency;

namespace {

using Var = std::variant<int16_t *, Currency *, QString *>;
struct KeyOf {
  const char *key;
  Var var;
  bool saved;
};

// The whole set, in its order, as the settings screens and the login rely on it.
const KeyOf kSet[] = {
    {"gsSetMainDB", &gsSetMainDB, true},       {"gsSetPosDB", &gsSetPosDB, true},
    {"giSetPosNo", &giSetPosNo, true},         {"gsSetID", &gsSetID, true},
    {"gsSetPWD", &gsSetPWD, true},             {"giSetCcBcp", &giSetCcBcp, true},
    {"giSetCcNot", &giSetCcNot, true},         {"giSetCstAll", &giSetCstAll, true},
    {"giSetKeyCheck", &giSetKeyCheck, true},   {"giSetHandScaner", &giSetHandScaner, true},
    {"giSetinterval", &giSetinterval, true},   {"gsSetScan", &gsSetScan, true},
    {"giSetScanPort", &giSetScanPort, true},   {"giSetScanSets", &giSetScanSets, true},
    {"giSetScanXonOff", &giSetScanXonOff, true}, {"gsSaupNo", &gsSaupNo, true},
    {"giSetPos", &giSetPos, true},             {"giSetKey", &giSetKey, true},
    {"giSetPrint", &giSetPrint, true},         {"gsSetPrnPort", &gsSetPrnPort, true},
    {"giSetPrnWait", &giSetPrnWait, true},     {"giSetDisp", &giSetDisp, true},
    {"giSetDisPortNo", &giSetDisPortNo, true}, {"giSetCoin", &giSetCoin, true},
    {"giSetCoinPortNo", &giSetCoinPortNo, true}, {"giSetDraw", &giSetDraw, true},
    {"giSetVan", &giSetVan, true},             {"giSetVanDan", &giSetVanDan, true},
    {"gcSetCdCount", &gcSetCdCount, true},     {"gsSetDanId", &gsSetDanId, true},
    {"gsSetServerIp", &gsSetServerIp, true},   {"gsSetServerPort", &gsSetServerPort, true},
    {"gsSetVanAgent", &gsSetVanAgent, true},
    {"gsSetSerialNo", &gsSetSerialNo, true},   {"gsDeSet", &gsDeSet, true},
    {"gsGMDown", &gsGMDown, true},             {"giSetSignPad", &giSetSignPad, true},
    {"giSetSignPortNo", &giSetSignPortNo, true}, {"giSetSign0", &giSetSign0, true},
    {"gsCodeDate", &gsCodeDate, true},         {"gsCstTsDate", &gsCstTsDate, true},
    {"giSetAutoUpdate", &giSetAutoUpdate, true}, {"giSetJunPrnNone", &giSetJunPrnNone, true},
    {"giSetNoDate", &giSetNoDate, true},       {"giSetLog", &giSetLog, true},
    {"giSetSound", &giSetSound, true},         {"giSetPrnCom", &giSetPrnCom, true},
    {"giSetOiPrnSu", &giSetOiPrnSu, true},     {"giSetDangaStop", &giSetDangaStop, false},
    {"giSetMisuNotPrn", &giSetMisuNotPrn, false}, {"giSetSignNotUse", &giSetSignNotUse, false},
    {"giSetJulsa", &giSetJulsa, true},         {"giSetSale20", &giSetSale20, false},
    {"giSetDrawAuto", &giSetDrawAuto, true},   {"giZerdoAllDc", &giZerdoAllDc, false},
};

bool Scrambled(const char *key) {
  return QLatin1String(key) == QLatin1String("gsSetMainDB") ||
         QLatin1String(key) == QLatin1String("gsSetPosDB");
}

class PosSettingsTest : public ::testing::Test {
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

TEST_F(PosSettingsTest, EveryKeyLoadsIntoItsGlobalAndSavesBack) {
  ASSERT_EQ(std::size(kSet), 55u);
  // A distinct stored value per key.
  int n = 0;
  for (const KeyOf &k : kSet) {
    ++n;
    QString text;
    if (std::holds_alternative<int16_t *>(k.var)) text = QString::number(n);
    if (std::holds_alternative<Currency *>(k.var)) text = QString::number(n) + ".25";
    if (std::holds_alternative<QString *>(k.var)) text = QStringLiteral(" 값 %1 ").arg(k.key);
    if (Scrambled(k.key)) text = EncodeSetting(QStringLiteral("server=s%1;driver={SQLite}").arg(n));
    store::SaveSetting(k.key, text);
  }
  LoadPosSettings();
  n = 0;
  for (const KeyOf &k : kSet) {
    ++n;
    if (auto *i = std::get_if<int16_t *>(&k.var)) {
      EXPECT_EQ(**i, n) << k.key;
    }
    if (auto *c = std::get_if<Currency *>(&k.var)) {
      EXPECT_EQ((*c)->ToPlainText(), QString::number(n) + ".25") << k.key;
    }
    if (auto *s = std::get_if<QString *>(&k.var)) {
      const QString want = Scrambled(k.key) ? QStringLiteral("server=s%1;driver={SQLite}").arg(n)
                                            : QStringLiteral("값 %1").arg(k.key);
      EXPECT_EQ(**s, want) << k.key;
    }
  }

  // New values in memory; the saved keys take them, the others keep what was stored.
  n = 100;
  for (const KeyOf &k : kSet) {
    ++n;
    if (auto *i = std::get_if<int16_t *>(&k.var)) **i = int16_t(-n);
    if (auto *c = std::get_if<Currency *>(&k.var)) **c = Currency::FromRaw(n * 10000 + 5000);
    if (auto *s = std::get_if<QString *>(&k.var)) **s = QStringLiteral("새 %1").arg(n);
  }
  const QStringList before = [] {
    QStringList v;
    for (const KeyOf &k : kSet) v << store::GetSetting(k.key);
    return v;
  }();
  SavePosSettings();
  n = 100;
  int i = 0;
  for (const KeyOf &k : kSet) {
    ++n;
    const QString stored = store::GetSetting(k.key);
    if (!k.saved) {
      EXPECT_EQ(stored, before[i]) << k.key;
    } else if (Scrambled(k.key)) {
      EXPECT_EQ(DecodeSetting(stored), QStringLiteral("새 %1").arg(n)) << k.key;
      EXPECT_NE(stored, QStringLiteral("새 %1").arg(n));
    } else if (std::holds_alternative<int16_t *>(k.var)) {
      EXPECT_EQ(stored, QString::number(-n)) << k.key;
    } else if (std::holds_alternative<Currency *>(k.var)) {
      EXPECT_EQ(stored, QString::number(n) + ".5") << k.key;
    } else {
      EXPECT_EQ(stored, QStringLiteral("새 %1").arg(n)) << k.key;
    }
    ++i;
  }
  EXPECT_EQ(store::GetSetting("Update"), "20240130");
  EXPECT_EQ(store::GetSetting("gsSetPosVersion"), "Ver 2024.01.30");
}

TEST_F(PosSettingsTest, SaveWritesTheWholeSetAndNothingElse) {
  store::SaveSetting("gsSetMainDB", EncodeSetting("server=old;driver={SQLite}"));
  store::SaveSetting("giSetLog", "1");
  orv::state::ResetPosSettings();
  SavePosSettings();

  QStringList keys = store::Keys();
  keys.sort(Qt::CaseInsensitive);
  QStringList want;
  for (const KeyOf &k : kSet)
    if (k.saved) want << (QLatin1String(k.key) == QLatin1String("giSetinterval") ? "giSetInterVal" : k.key);
  want << "Update" << "gsSetPosVersion";
  want.sort(Qt::CaseInsensitive);
  EXPECT_EQ(keys, want);
  EXPECT_EQ(want.size(), 52);
  EXPECT_EQ(store::GetSetting("gsSetMainDB"), "");
  EXPECT_EQ(store::GetSetting("giSetLog"), "0");
  // The interval is found under either spelling.
  EXPECT_TRUE(store::HasSetting("giSetinterval"));
}

TEST_F(PosSettingsTest, StoredTextsReadByTheNumberRules) {
  struct Case {
    const char *stored;
    int16_t whole;         // as giSetPosNo
    const char *money;     // as gcSetCdCount and giZerdoAllDc
  };
  const Case cases[] = {
      {"", 0, "0"},         {"abc", 0, "0"},       {"12abc", 12, "12"},
      {"2.5", 2, "2.5"},    {"3.5", 4, "3.5"},     {"-2.5", -2, "-2.5"},
      {"-1", -1, "-1"},     {" 7 ", 7, "7"},       {"1,234", 1, "1"},
      {"32767", 32767, "32767"}, {"40000", 0, "40000"}, {"-32769", 0, "-32769"},
      {"1e99", 0, "0"},     {"12.5", 12, "12.5"},
  };
  for (const Case &c : cases) {
    store::SaveSetting("giSetPosNo", c.stored);
    store::SaveSetting("gcSetCdCount", c.stored);
    store::SaveSetting("giZerdoAllDc", c.stored);
    LoadPosSettings();
    EXPECT_EQ(giSetPosNo, c.whole) << c.stored;
    EXPECT_EQ(gcSetCdCount.ToPlainText(), c.money) << c.stored;
    EXPECT_EQ(giZerdoAllDc.ToPlainText(), c.money) << c.stored;
  }
  // Texts are trimmed; the connection texts are trimmed before unscrambling.
  store::SaveSetting("gsSetID", "  kim ");
  store::SaveSetting("gsSetPosDB", "  " + EncodeSetting("server=;driver={SQLite};database=p.db") + " ");
  store::SaveSetting("gsSetMainDB", "not scrambled");
  LoadPosSettings();
  EXPECT_EQ(gsSetID, "kim");
  EXPECT_EQ(gsSetPosDB, "server=;driver={SQLite};database=p.db");
  EXPECT_EQ(gsSetMainDB, "");
}

TEST_F(PosSettingsTest, IntervalReadBackUnderTheOtherSpelling) {
  giSetinterval = 80;
  SavePosSettings();
  EXPECT_EQ(store::GetSetting("giSetinterval"), "80");
  giSetinterval = 0;
  LoadPosSettings();
  EXPECT_EQ(giSetinterval, 80);
}

TEST_F(PosSettingsTest, HandWrittenFileWithWrongTypesLoads) {
  QFile f(store::FilePath());
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[OrvPosSet]\n"
          "giSetPosNo=3, 4\n"
          "GISETVAN=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\nQByteArray)\n"
          "gcSetCdCount=@ByteArray(12)\n"
          "gsSetPrnPort=\"COM3\"\n"
          "giSetScanPort=\n"
          "gsSetMainDB=12345\n"
          "giSetLog=true\n"
          "garbage line without equals\n"
          "[Other]\n"
          "giSetDisp=4\n");
  f.close();
  LoadPosSettings();
  EXPECT_EQ(giSetScanPort, 0);
  EXPECT_EQ(giSetLog, 0);
  EXPECT_EQ(giSetDisp, 0);  // another section
  EXPECT_EQ(gsSetMainDB, "");
  SavePosSettings();  // and writes a clean set over it
  LoadPosSettings();
  EXPECT_EQ(store::GetSetting("giSetScanPort"), "0");
}
