#include "core/pos_settings.h"

#include <QVariant>
#include <variant>

#include "core/scrambler.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/settings_store.h"

QString gsSetMainDB;
QString gsSetPosDB;
int16_t giSetPosNo = 0;
QString gsSetID;
QString gsSetPWD;
int16_t giSetCcBcp = 0;
int16_t giSetCcNot = 0;
int16_t giSetCstAll = 0;
int16_t giSetKeyCheck = 0;
int16_t giSetHandScaner = 0;
int16_t giSetinterval = 0;
QString gsSetScan;
int16_t giSetScanPort = 0;
int16_t giSetScanSets = 0;
int16_t giSetScanXonOff = 0;
QString gsSaupNo;
int16_t giSetPos = 0;
int16_t giSetKey = 0;
int16_t giSetPrint = 0;
QString gsSetPrnPort;
int16_t giSetPrnWait = 0;
int16_t giSetDisp = 0;
int16_t giSetDisPortNo = 0;
int16_t giSetCoin = 0;
int16_t giSetCoinPortNo = 0;
int16_t giSetDraw = 0;
int16_t giSetVan = 0;
int16_t giSetVanDan = 0;
orv::Currency gcSetCdCount;
QString gsSetDanId;
QString gsSetServerIp;
QString gsSetServerPort;
QString gsSetVanAgent;
QString gsSetSerialNo;
QString gsDeSet;
QString gsGMDown;
QString gsSetSupyoHost;
QString gsSetVanHost;
int16_t giSetSignPad = 0;
int16_t giSetSignPortNo = 0;
int16_t giSetSign0 = 0;
QString gsCodeDate;
QString gsCstTsDate;
int16_t giSetAutoUpdate = 0;
int16_t giSetJunPrnNone = 0;
int16_t giSetNoDate = 0;
int16_t giSetLog = 0;
int16_t giSetSound = 0;
int16_t giSetPrnCom = 0;
int16_t giSetOiPrnSu = 0;
int16_t giSetDangaStop = 0;
int16_t giSetMisuNotPrn = 0;
int16_t giSetSignNotUse = 0;
int16_t giSetJulsa = 0;
int16_t giSetSale20 = 0;
int16_t giSetDrawAuto = 0;
orv::Currency giZerdoAllDc;

namespace {

using Key = PosSettingKey;
using Scrambled = ScrambledSetting;

// In the order the settings are read and written.
const Key kKeys[] = {
    {"gsSetMainDB", Scrambled{&gsSetMainDB}, true},
    {"gsSetPosDB", Scrambled{&gsSetPosDB}, true},
    {"giSetPosNo", &giSetPosNo, true},
    {"gsSetID", &gsSetID, true},
    {"gsSetPWD", &gsSetPWD, true},
    {"giSetCcBcp", &giSetCcBcp, true},
    {"giSetCcNot", &giSetCcNot, true},
    {"giSetCstAll", &giSetCstAll, true},
    {"giSetKeyCheck", &giSetKeyCheck, true},
    {"giSetHandScaner", &giSetHandScaner, true},
    {"giSetinterval", &giSetinterval, true, "giSetInterVal"},
    {"gsSetScan", &gsSetScan, true},
    {"giSetScanPort", &giSetScanPort, true},
    {"giSetScanSets", &giSetScanSets, true},
    {"giSetScanXonOff", &giSetScanXonOff, true},
    {"gsSaupNo", &gsSaupNo, true},
    {"giSetPos", &giSetPos, true},
    {"giSetKey", &giSetKey, true},
    {"giSetPrint", &giSetPrint, true},
    {"gsSetPrnPort", &gsSetPrnPort, true},
    {"giSetPrnWait", &giSetPrnWait, true},
    {"giSetDisp", &giSetDisp, true},
    {"giSetDisPortNo", &giSetDisPortNo, true},
    {"giSetCoin", &giSetCoin, true},
    {"giSetCoinPortNo", &giSetCoinPortNo, true},
    {"giSetDraw", &giSetDraw, true},
    {"giSetVan", &giSetVan, true},
    {"giSetVanDan", &giSetVanDan, true},
    {"gcSetCdCount", &gcSetCdCount, true},
    {"gsSetDanId", &gsSetDanId, true},
    {"gsSetServerIp", &gsSetServerIp, true},
    {"gsSetServerPort", &gsSetServerPort, true},
    {"gsSetVanAgent", &gsSetVanAgent, true},
    {"gsSetSerialNo", &gsSetSerialNo, true},
    {"gsDeSet", &gsDeSet, true},
    {"gsGMDown", &gsGMDown, true},
    {"gsSetSupyoHost", &gsSetSupyoHost, false},
    {"gsSetVanHost", &gsSetVanHost, false},
    {"giSetSignPad", &giSetSignPad, true},
    {"giSetSignPortNo", &giSetSignPortNo, true},
    {"giSetSign0", &giSetSign0, true},
    {"gsCodeDate", &gsCodeDate, true},
    {"gsCstTsDate", &gsCstTsDate, true},
    {"giSetAutoUpdate", &giSetAutoUpdate, true},
    {"giSetJunPrnNone", &giSetJunPrnNone, true},
    {"giSetNoDate", &giSetNoDate, true},
    {"giSetLog", &giSetLog, true},
    {"giSetSound", &giSetSound, true},
    {"giSetPrnCom", &giSetPrnCom, true},
    {"giSetOiPrnSu", &giSetOiPrnSu, true},
    {"giSetDangaStop", &giSetDangaStop, false},
    {"giSetMisuNotPrn", &giSetMisuNotPrn, false},
    {"giSetSignNotUse", &giSetSignNotUse, false},
    {"giSetJulsa", &giSetJulsa, true},
    {"giSetSale20", &giSetSale20, false},
    {"giSetDrawAuto", &giSetDrawAuto, true},
    {"giZerdoAllDc", &giZerdoAllDc, false},
};

// Nearest whole number, halves to the even neighbour; 0 outside the 16-bit range.
int16_t ToInteger(orv::Currency c) {
  const int64_t whole = c.RoundToInt();
  if (whole < INT16_MIN || whole > INT16_MAX) return 0;
  return int16_t(whole);
}

QString Read(const char *key) { return orv::settings_store::GetSetting(QString::fromLatin1(key)); }

struct Loader {
  const QString &stored;
  void operator()(int16_t *v) const { *v = ToInteger(NzCur(QVariant(stored))); }
  void operator()(orv::Currency *v) const { *v = NzCur(QVariant(stored)); }
  void operator()(QString *v) const { *v = NzStr(QVariant(stored)); }
  void operator()(Scrambled s) const { *s.text = DecodeSetting(NzStr(QVariant(stored))); }
};

struct Saver {
  QString operator()(int16_t *v) const { return QString::number(*v); }
  QString operator()(orv::Currency *v) const { return v->ToPlainText(); }
  QString operator()(QString *v) const { return *v; }
  QString operator()(Scrambled s) const { return EncodeSetting(*s.text); }
};

}  // namespace

QString PosSettingKey::Written() const { return QString::fromLatin1(savedAs ? savedAs : name); }

const void *PosSettingKey::Global() const {
  return std::visit(
      [](auto v) -> const void * {
        if constexpr (std::is_same_v<decltype(v), Scrambled>)
          return v.text;
        else
          return v;
      },
      target);
}

QString PosSettingKey::StoredText() const { return std::visit(Saver{}, target); }

void PosSettingKey::Load(const QString &stored) const { std::visit(Loader{stored}, target); }

std::span<const PosSettingKey> PosSettingKeys() { return kKeys; }

const PosSettingKey *PosSettingKeyOf(const void *global) {
  for (const Key &k : kKeys)
    if (k.Global() == global) return &k;
  return nullptr;
}

const PosSettingKey *PosSettingKeyNamed(const QString &name) {
  for (const Key &k : kKeys)
    if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0 ||
        (k.savedAs && name.compare(QLatin1String(k.savedAs), Qt::CaseInsensitive) == 0))
      return &k;
  return nullptr;
}

void LoadPosSettings() {
  for (const Key &k : kKeys) k.Load(Read(k.name));
}

bool SavePosSettings(const QList<QPair<QString, QString>> &extra) {
  QList<QPair<QString, QString>> out;
  for (const Key &k : kKeys) {
    if (!k.saved) continue;
    out.append({k.Written(), k.StoredText()});
    if (k.Global() == &giSetOiPrnSu)
      out.append({QStringLiteral("Update"), orv::clock::Now().toString(QStringLiteral("yyyyMMdd"))});
  }
  out.append({QStringLiteral("gsSetPosVersion"), QString::fromLatin1(kPosVersion)});
  out.append(extra);
  return orv::settings_store::SaveSettings(out);
}

bool SavePosSettingsOf(std::initializer_list<const void *> globals) {
  QList<QPair<QString, QString>> out;
  for (const void *g : globals) {
    const Key *k = PosSettingKeyOf(g);
    if (!k) return false;
    out.append({k->Written(), k->StoredText()});
  }
  return orv::settings_store::SaveSettings(out);
}

namespace orv::state {
void ResetPosSettings() {
  for (const Key &k : kKeys)
    std::visit(
        [](auto v) {
          using T = decltype(v);
          if constexpr (std::is_same_v<T, Scrambled>)
            v.text->clear();
          else
            *v = {};
        },
        k.target);
}
}  // namespace orv::state
