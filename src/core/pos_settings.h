#pragma once
// The terminal settings, named after their keys in the settings store (application
// OrvZerdo, section OrvPosSet). The prefix gives the type: gi 16-bit whole number,
// gc money, gs text; giZerdoAllDc is money although its name begins with gi.
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <variant>

#include "core/currency.h"

extern QString gsSetMainDB;  // plain connection text of the main database (stored scrambled)
extern QString gsSetPosDB;   // plain connection text of this checkout's POS database
extern int16_t giSetPosNo;   // POS number of this checkout
extern QString gsSetID;      // login ID filled into the login form
extern QString gsSetPWD;     // its password
extern int16_t giSetCcBcp;   // daily code copy: 0 bulk copy, 1 receive form
extern int16_t giSetCcNot;   // 1: no automatic daily code copy
extern int16_t giSetCstAll;  // 1: the integrated-customer download takes all customers
extern int16_t giSetKeyCheck;
extern int16_t giSetHandScaner;  // 1: only a hand-held scanner
extern int16_t giSetinterval;    // scanner polling interval in ms, 0 means 50
extern QString gsSetScan;        // serial settings of the scanner port, "9600,N,8,1"
extern int16_t giSetScanPort;
extern int16_t giSetScanSets;    // 0 polled by a timer, 1 by receive events
extern int16_t giSetScanXonOff;
extern QString gsSaupNo;         // business registration number
extern int16_t giSetPos;         // POS hardware
extern int16_t giSetKey;         // keyboard
extern int16_t giSetPrint;       // receipt printer
extern QString gsSetPrnPort;     // "LPT1", "LPT2", "COMn"
extern int16_t giSetPrnWait;
extern int16_t giSetDisp;        // customer display
extern int16_t giSetDisPortNo;
extern int16_t giSetCoin;        // coin changer
extern int16_t giSetCoinPortNo;
extern int16_t giSetDraw;        // cash drawer: 0 none, 1 direct, 2 behind the printer
extern int16_t giSetVan;         // card network
extern int16_t giSetVanDan;
extern orv::Currency gcSetCdCount;  // serial number of card-network requests
extern QString gsSetDanId;
extern QString gsSetServerIp;
extern QString gsSetServerPort;
// The card network's agent program (a name without a folder is found beside the program).
extern QString gsSetVanAgent;
extern QString gsSetSerialNo;
extern QString gsDeSet;
extern QString gsGMDown;
extern QString gsSetSupyoHost;  // cheque-inquiry server probed by the payment screen; "" none
extern QString gsSetVanHost;    // the card network's server; "" none
extern int16_t giSetSignPad;
extern int16_t giSetSignPortNo;
extern int16_t giSetSign0;
extern QString gsCodeDate;   // yyyymmdd of the last daily code copy
extern QString gsCstTsDate;  // yyyymmdd of the last integrated-customer download
extern int16_t giSetAutoUpdate;
extern int16_t giSetJunPrnNone;
extern int16_t giSetNoDate;
extern int16_t giSetLog;     // 1: keep the daily text log
extern int16_t giSetSound;
extern int16_t giSetPrnCom;
extern int16_t giSetOiPrnSu;  // credit-sale receipt copies, 0 to 5
extern int16_t giSetDangaStop;
extern int16_t giSetMisuNotPrn;
extern int16_t giSetSignNotUse;
extern int16_t giSetJulsa;
extern int16_t giSetSale20;
extern int16_t giSetDrawAuto;
extern orv::Currency giZerdoAllDc;  // whole-chit discount rate in percent

// A text setting kept scrambled in the store (EncodeSetting), plain in memory.
struct ScrambledSetting {
  QString *text;
};

// One key of the set: every screen and copy of the settings reaches keys and globals
// through this list, never through spellings of its own.
struct PosSettingKey {
  const char *name;  // the spelling the load reads
  std::variant<int16_t *, orv::Currency *, QString *, ScrambledSetting> target;
  bool saved;                       // SavePosSettings writes it
  const char *savedAs = nullptr;    // the spelling the save writes, when it differs

  QString Written() const;
  const void *Global() const;
  // The global as the save writes it (scrambled where it is kept so).
  QString StoredText() const;
  // Sets the global from a stored text, as the load does.
  void Load(const QString &stored) const;
};

// In the order the settings are read and written.
std::span<const PosSettingKey> PosSettingKeys();
// The entry of a global (&giSetVan), or nullptr.
const PosSettingKey *PosSettingKeyOf(const void *global);
// The entry read or written under a spelling (any letter case), or nullptr.
const PosSettingKey *PosSettingKeyNamed(const QString &name);

// Reads every setting of the set from the store. A missing key reads as 0 or "";
// text that is no number reads as 0, a whole number outside the 16-bit range as 0.
void LoadPosSettings();
// Writes the saved settings back, then "Update" (today), "gsSetPosVersion" and the extra
// keys, in one write of the store. False when the store could not be written.
bool SavePosSettings(const QList<QPair<QString, QString>> &extra = {});
// Writes only these globals' keys, in one write.
bool SavePosSettingsOf(std::initializer_list<const void *> globals);

// Terminal setting naming the updater program that the start hands over to.
inline constexpr char kUpdaterPathKey[] = "gsSetUpdaterPath";

// The version text the settings carry.
inline constexpr char kPosVersion[] = "Ver 2024.01.30";

namespace orv::state {
void ResetPosSettings();
}
