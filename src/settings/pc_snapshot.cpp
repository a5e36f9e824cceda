#include "settings/pc_snapshot.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/byte_text.h"
#include "core/pos_settings.h"
#include "core/scrambler.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "platform/wait_cursor.h"
#include "schema/tables.h"
#include "settings/frmSetup.h"
#include "settings/setup_parts.h"

namespace orv::settings {

namespace {

// In the order every operation handles the keys.
const PcSetKey kKeys[] = {
    {&gsSetMainDB, nullptr, PcColumn::Text},
    {&gsSetPosDB, nullptr, PcColumn::Text},
    {nullptr, "GsnOrvPass", PcColumn::Text},
    {&giSetPosNo, nullptr, PcColumn::Char},
    {&gsSetID, nullptr, PcColumn::Char},
    {&gsSetPWD, nullptr, PcColumn::Char},
    {&giSetPos, nullptr, PcColumn::Char},
    {&giSetKey, nullptr, PcColumn::Char},
    {&giSetPrint, nullptr, PcColumn::Char},
    {&gsSetPrnPort, nullptr, PcColumn::Char},
    {&giSetPrnWait, nullptr, PcColumn::Char},
    {&giSetPrnCom, nullptr, PcColumn::Char},
    {&giSetDisp, nullptr, PcColumn::Char},
    {&giSetDisPortNo, nullptr, PcColumn::Char},
    {&giSetCoin, nullptr, PcColumn::Char},
    {&giSetCoinPortNo, nullptr, PcColumn::Char},
    {&giSetDraw, nullptr, PcColumn::Char},
    {&gsSaupNo, nullptr, PcColumn::Char},
    {&giSetVan, nullptr, PcColumn::Char},
    {&giSetVanDan, nullptr, PcColumn::Char},
    {&gsSetDanId, nullptr, PcColumn::Char},
    {&gsSetSerialNo, nullptr, PcColumn::Char},
    {&gsSetServerIp, nullptr, PcColumn::Char},
    {&gsSetServerPort, nullptr, PcColumn::Char},
    {&gcSetCdCount, nullptr, PcColumn::Char},
    {&gsDeSet, nullptr, PcColumn::Char},
    {&gsGMDown, nullptr, PcColumn::Char},
    {&gsSetScan, nullptr, PcColumn::Char},
    {&giSetScanPort, nullptr, PcColumn::Char},
    {&giSetScanSets, nullptr, PcColumn::Char},
    {&giSetScanXonOff, nullptr, PcColumn::Char},
    {&giSetSignPad, nullptr, PcColumn::Char},
    {&giSetSignPortNo, nullptr, PcColumn::Char},
    {&giSetSign0, nullptr, PcColumn::Char},
    {&giSetSignNotUse, nullptr, PcColumn::Char},
    {&giSetHandScaner, nullptr, PcColumn::Char},
    {&giSetinterval, nullptr, PcColumn::Char},
    {&giSetAutoUpdate, nullptr, PcColumn::Char},
    {&giSetSound, nullptr, PcColumn::Char},
    {&giSetKeyCheck, nullptr, PcColumn::Char},
    {&giSetSale20, nullptr, PcColumn::Char},
    {&giSetLog, nullptr, PcColumn::Char},
    {&giSetJunPrnNone, nullptr, PcColumn::Char},
    {&giSetNoDate, nullptr, PcColumn::Char},
    {&giSetJulsa, nullptr, PcColumn::Char},
    {&giSetDangaStop, nullptr, PcColumn::Char},
    {&giSetMisuNotPrn, nullptr, PcColumn::Char},
    {&giSetOiPrnSu, nullptr, PcColumn::Char},
    {nullptr, "giBadalPrintSu", PcColumn::Char},
    {&gsCodeDate, nullptr, PcColumn::Char, "GsCodeDate"},
    {&giSetCcBcp, nullptr, PcColumn::Char},
    {&giSetCstAll, nullptr, PcColumn::Char},
    {&giSetCcNot, nullptr, PcColumn::Char},
    {&giSetDrawAuto, nullptr, PcColumn::Char},
};
static_assert(std::size(kKeys) == kPcSetKeys);

constexpr int kCharBytes = 50;

QString columnName(PcColumn c) {
  switch (c) {
    case PcColumn::Int: return QStringLiteral("regInt");
    case PcColumn::Char: return QStringLiteral("regChar");
    case PcColumn::Text: return QStringLiteral("regText");
  }
  return {};
}

QString findSql(db::Connection &conn, const QString &what) {
  return what + QStringLiteral(" from OrvKorea Where ") +
         conn.dialect().CiEquals(QStringLiteral("rtrim(regKey)"), QStringLiteral("?"));
}

// The row of the key, or an empty recordset. Throws DbError.
db::Recordset findRow(db::Connection &conn, const QString &key) {
  db::Statement look = conn.Prepare(findSql(conn, QStringLiteral("Select *")));
  look.Bind(0, key.trimmed());
  return look.Query();
}

QString rowKey(const PcSetKey &k, bool written, int16_t n) {
  return (written ? k.WrittenName() : k.ReadName()) + QString::number(n);
}

// The column's value of the row; nullopt when there is no row. Throws DbError.
std::optional<QString> readRow(db::Connection &conn, const QString &key, PcColumn column) {
  db::Recordset rs = findRow(conn, key);
  if (rs.RecordCount() == 0) return std::nullopt;
  rs.MoveFirst();
  return NzStr(rs.Field(columnName(column)));
}

qlonglong whole16(const QVariant &v) { return qlonglong(int16_t(NzCur(v).RoundToInt())); }

bool putRow(db::Connection &conn, const QString &key, PcColumn column, const QVariant &value) {
  try {
    if (!schema::ExistsTable(conn, QStringLiteral("OrvKorea")))
      schema::CreateTable(conn, QStringLiteral("OrvKorea"));
    db::Transaction tx(conn);
    db::Recordset rs = findRow(conn, key);
    qlonglong i = 0, sss[5] = {0, 0, 0, 0, 0};
    QString c, t;
    db::Statement st;
    QVariant own = key.trimmed();
    if (rs.RecordCount() > 0) {
      rs.MoveFirst();
      own = rs.Field("regKey");
      i = whole16(rs.Field("regInt"));
      c = NzStr(rs.Field("regChar"));
      t = NzStr(rs.Field("regText"));
      for (int s = 0; s < 5; ++s) sss[s] = whole16(rs.Field(QStringLiteral("regSss%1").arg(s + 1)));
      st = conn.Prepare(QStringLiteral(
          "Update OrvKorea Set regInt=?, regChar=?, regText=?, regSss1=?, regSss2=?, regSss3=?,"
          " regSss4=?, regSss5=? Where regKey=?"));
    } else {
      st = conn.Prepare(QStringLiteral(
          "Insert into OrvKorea(regInt, regChar, regText, regSss1, regSss2, regSss3, regSss4,"
          " regSss5, regKey) Values(?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    }
    switch (column) {
      case PcColumn::Int: i = value.toLongLong(); break;
      case PcColumn::Char: c = LeftByte(value.toString().trimmed(), kCharBytes); break;
      case PcColumn::Text: t = value.toString().trimmed(); break;
    }
    st.Bind(0, i);
    st.Bind(1, c);
    st.Bind(2, t);
    for (int s = 0; s < 5; ++s) st.Bind(3 + s, sss[s]);
    st.Bind(8, own);
    st.Execute();
    tx.Commit();
    return true;
  } catch (const db::DbError &) {
    return false;  // the guard rolled back: the row stays as it was
  }
}

}  // namespace

QString PcSetKey::ReadName() const {
  return global ? QString::fromLatin1(PosSettingKeyOf(global)->name) : QString::fromLatin1(raw);
}

QString PcSetKey::WrittenName() const {
  if (writtenAs) return QString::fromLatin1(writtenAs);
  return global ? PosSettingKeyOf(global)->Written() : QString::fromLatin1(raw);
}

std::span<const PcSetKey> PcSetKeys() { return kKeys; }

QString PcVersionKey(int16_t n) {
  return QStringLiteral("gsSetPosVersion") + (n != 0 ? QString::number(n) : QString());
}

int16_t GetPcRegInt(db::Connection &conn, const QString &key) {
  try {
    return int16_t(whole16(readRow(conn, key, PcColumn::Int).value_or(QString())));
  } catch (const db::DbError &) {
    return 0;
  }
}

QString GetPcRegChar(db::Connection &conn, const QString &key) {
  try {
    return readRow(conn, key, PcColumn::Char).value_or(QString());
  } catch (const db::DbError &) {
    return {};
  }
}

QString GetPcRegText(db::Connection &conn, const QString &key) {
  try {
    return readRow(conn, key, PcColumn::Text).value_or(QString());
  } catch (const db::DbError &) {
    return {};
  }
}

bool PutPcRegInt(db::Connection &conn, const QString &key, int16_t value) {
  return putRow(conn, key, PcColumn::Int, qlonglong(value));
}

bool PutPcRegChar(db::Connection &conn, const QString &key, const QString &value) {
  return putRow(conn, key, PcColumn::Char, value);
}

bool PutPcRegText(db::Connection &conn, const QString &key, const QString &value) {
  return putRow(conn, key, PcColumn::Text, value);
}

PcSetRec LoadPcSetFromReg() {
  PcSetRec rec;
  for (int i = 0; i < kPcSetKeys; ++i) {
    const QString v = NzStr(settings_store::GetSetting(kKeys[i].ReadName()));
    rec[i] = kKeys[i].Scrambled() ? DecodeSetting(v) : v;
  }
  return rec;
}

bool SavePcSetToReg(const PcSetRec &rec) {
  QList<QPair<QString, QString>> out;
  for (int i = 0; i < kPcSetKeys; ++i)
    out.append({kKeys[i].WrittenName(), kKeys[i].Scrambled() ? EncodeSetting(rec[i]) : rec[i]});
  return settings_store::SaveSettings(out);
}

PcSaveReport SavePcSetToDb(db::Connection &conn, int16_t n, const PcSetRec &rec) {
  PcSaveReport report;
  for (int i = 0; i < kPcSetKeys; ++i) {
    const QString key = rowKey(kKeys[i], true, n);
    bool ok;
    if (kKeys[i].Scrambled()) {
      ok = PutPcRegText(conn, key, EncodeSetting(rec[i]));
    } else {
      const QString v = rec[i].trimmed();
      ok = PutPcRegChar(conn, key, v);
      if (ok && LeftByte(v, kCharBytes) != v) report.cut << key;
    }
    if (!ok) report.failed << key;
  }
  if (!PutPcRegChar(conn, PcVersionKey(n), QString::fromLatin1(kPosVersion)))
    report.failed << PcVersionKey(n);
  return report;
}

std::optional<PcSetRec> LoadPcSetFromDb(db::Connection &conn, int16_t n) {
  if (!schema::ExistsTable(conn, QStringLiteral("OrvKorea"))) return std::nullopt;
  PcSetRec rec;
  bool saved = false;
  for (int i = 0; i < kPcSetKeys; ++i) {
    const PcSetKey &k = kKeys[i];
    const std::optional<QString> v = readRow(conn, rowKey(k, false, n), k.column);
    if (k.global == &giSetPosNo) saved = v.has_value();
    rec[i] = k.Scrambled() ? DecodeSetting(v.value_or(QString())) : v.value_or(QString());
  }
  if (!saved || rec[0].trimmed().isEmpty()) return std::nullopt;
  return rec;
}

void DeletePcSetFromDb(db::Connection &conn, int16_t n) {
  if (!schema::ExistsTable(conn, QStringLiteral("OrvKorea"))) return;
  db::Transaction tx(conn);
  db::Statement del = conn.Prepare(findSql(conn, QStringLiteral("Delete")));
  for (const PcSetKey &k : kKeys) {
    del.Bind(0, rowKey(k, true, n));
    del.Execute();
  }
  tx.Commit();
}

}  // namespace orv::settings

// ---------------------------------------------------------------- the screen's buttons

using namespace orv;

std::optional<int16_t> frmSetup::PcNumber() const {
  const std::optional<int16_t> n = settings::WholeNumber16(txtPosNo->text());
  if (!n || *n <= 0) return std::nullopt;
  return n;
}

void frmSetup::PcSaveCmd_Click() {
  LeaveFocusedBox();
  const std::optional<int16_t> n = PcNumber();
  if (!n) return;
  if (dialogs::AskYesNo(QStringLiteral("* 설정값을 저장후 PC[%1]로 저장할까요 ?").arg(*n),
                        QStringLiteral("PC저장"))) {
    WaitCursor wait;
    settings::ButtonBusy busy(PcSaveCmd);
    try {
      OpenMainDb();
      if (ReadSetupValues()) {
        TakeDeviceValues();
        if (!SavePosSettings(DeviceValues())) {
          dialogs::Info(QStringLiteral("설정 파일에 쓸 수 없습니다 : ") + settings_store::FilePath(),
                        QStringLiteral("PC저장"));
        } else {
          const settings::PcSaveReport report =
              settings::SavePcSetToDb(mainDb_, *n, settings::LoadPcSetFromReg());
          restart_ = 1;
          QString text;
          if (!report.failed.isEmpty())
            text += QStringLiteral("* 저장하지 못한 설정 : ") + report.failed.join(", ");
          if (!report.cut.isEmpty())
            text += (text.isEmpty() ? QString() : QStringLiteral("\r\n")) +
                    QStringLiteral("* 50바이트로 잘린 설정 : ") + report.cut.join(", ");
          if (!text.isEmpty()) dialogs::Info(text, QStringLiteral("PC저장"));
        }
      }
    } catch (const db::DbError &e) {
      ShowDbError(e);
    }
    CloseMainDb();
  }
  cmdExit->setFocus();
}

void frmSetup::PcDeltCmd_Click() {
  LeaveFocusedBox();
  const std::optional<int16_t> n = PcNumber();
  if (!n) return;
  if (dialogs::AskYesNo(QStringLiteral("* PC[%1]의 설정값을 삭제할까요 ?").arg(*n),
                        QStringLiteral("PC삭제"))) {
    WaitCursor wait;
    settings::ButtonBusy busy(PcDeltCmd);
    try {
      OpenMainDb();
      settings::DeletePcSetFromDb(mainDb_, *n);
    } catch (const db::DbError &e) {
      ShowDbError(e);
    }
    CloseMainDb();
  }
  cmdExit->setFocus();
}

void frmSetup::PcLoadCmd_Click() {
  LeaveFocusedBox();
  const std::optional<int16_t> n = PcNumber();
  if (!n) return;
  if (dialogs::AskYesNo(QStringLiteral("* PC[%1]의 설정값을 불러와서 저장할까요 ?").arg(*n),
                        QStringLiteral("PC불러옴"))) {
    WaitCursor wait;
    settings::ButtonBusy busy(PcLoadCmd);
    try {
      OpenMainDb();
      const std::optional<settings::PcSetRec> rec = settings::LoadPcSetFromDb(mainDb_, *n);
      if (!rec)
        dialogs::Info(QStringLiteral("PC[%1]의 저장된 설정값이 없습니다").arg(*n),
                      QStringLiteral("PC불러옴"));
      else if (!settings::SavePcSetToReg(*rec))
        dialogs::Info(QStringLiteral("설정 파일에 쓸 수 없습니다 : ") + settings_store::FilePath(),
                      QStringLiteral("PC불러옴"));
      else
        restart_ = 1;
    } catch (const db::DbError &e) {
      ShowDbError(e);
    }
    CloseMainDb();
  }
  LoadPosSettings();
  ShowSetupValues();
  cmdExit->setFocus();
}
