#include "van/card_log.h"

#include "chit/records.h"
#include "core/byte_text.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"

int16_t giKzPayKind = 0;
int16_t giKzScanOpen = 0;
QString gsKzBarcode;
QString gsKzKakaoGbn;
orv::Currency gcKzReqGum;
orv::Currency gcKzDcGum;

namespace {
// An empty text binds as an empty text, never as NULL.
QVariant Text(const QString &s) { return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s); }
}  // namespace

void MakeCardLogRecord(const QString &text, int16_t kind) {
  const QDateTime now = orv::clock::Now();
  CardLogRec &r = gtCardLog;
  r = CardLogRec{};
  r.ClgDate = now.toString(QStringLiteral("yyyyMMdd"));
  r.ClgTime = now.toString(QStringLiteral("HHmmss"));
  r.ClgPosNo = giSetPosNo;
  r.ClgPsnKey = gcLogPsnKey;
  r.ClgChtNo = 0;
  r.ClgData = LeftByte(QString(text).remove(QChar(0)).trimmed(), orv::van::kCardLogDataBytes);
  r.ClgGbn = kind;
  r.ClgDanID = gsSetDanId;
  r.ClgVanGbn = giSetVan;
}

void WriteCardLog() {
  CardLogRec &r = gtCardLog;
  orv::db::Transaction tx(goDbPos);
  orv::db::Statement max =
      goDbPos.Prepare(QStringLiteral("Select Max(ClgChtNo) As ClgChtNo From CardLog Where ClgDate = ?"));
  max.Bind(0, Text(r.ClgDate));
  orv::db::Recordset rs = max.Query();
  const int32_t next = rs.Eof() ? 1 : int32_t(NzCur(rs.Field("ClgChtNo")).RoundToInt()) + 1;
  orv::db::Statement ins = goDbPos.Prepare(QStringLiteral(
      "Insert Into CardLog (ClgDate, ClgTime, ClgPosNo, ClgPsnKey, ClgChtNo, ClgData, ClgGbn, "
      "ClgDanID, ClgVanGbn, ClgSss1, ClgSss2, ClgSss3, ClgSss4, ClgSss5) "
      "Values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  const QVariantList values = {Text(r.ClgDate), Text(r.ClgTime), int(r.ClgPosNo),
                               BindCur(r.ClgPsnKey), next, Text(r.ClgData), int(r.ClgGbn),
                               Text(r.ClgDanID),
                               int(r.ClgVanGbn), int(r.ClgSss1), int(r.ClgSss2),
                               int(r.ClgSss3), int(r.ClgSss4), int(r.ClgSss5)};
  for (int i = 0; i < values.size(); ++i) ins.Bind(i, values[i]);
  ins.Execute();
  tx.Commit();
  r.ClgChtNo = next;
}

void CardLogRow(const QString &text, int16_t kind) {
  MakeCardLogRecord(text, kind);
  WriteCardLog();
}

QString CardLogRequestText(const QString &tag, const QString &amountText) {
  return tag + QStringLiteral(" : ") + (QStringLiteral("00000000") + DelChar(amountText, ",")).right(8);
}

void WriteKzbBars(int16_t kind, const QString &cmitDate, const QString &cmitNo,
                  QString &barcode) {
  barcode = barcode.trimmed();
  orv::db::Statement ins = goDbPos.Prepare(QStringLiteral(
      "Insert Into KzbCard (KzbSelt, KzbDate, KzbCmNo, KzbBars, KzbSss1, KzbSss2, KzbSss3) "
      "Values (?, ?, ?, ?, 0, 0, 0)"));
  ins.Bind(0, int(kind));
  ins.Bind(1, Text(cmitDate.trimmed()));
  ins.Bind(2, Text(cmitNo.trimmed()));
  ins.Bind(3, Text(barcode));
  ins.Execute();
}

QString ReadKzbBars(int16_t kind, const QString &cmitDate, const QString &cmitNo) {
  orv::db::Statement sel = goDbPos.Prepare(QStringLiteral(
      "Select KzbBars From KzbCard Where KzbSelt = ? And KzbDate = ? And KzbCmNo = ?"));
  sel.Bind(0, int(kind));
  sel.Bind(1, Text(cmitDate.trimmed()));
  sel.Bind(2, Text(cmitNo.trimmed()));
  orv::db::Recordset rs = sel.Query();
  if (rs.Eof()) return QStringLiteral("?");
  return NzStr2(rs.Field("KzbBars")).trimmed();
}

namespace orv::state {
void ResetKzState() {
  giKzPayKind = giKzScanOpen = 0;
  gsKzBarcode.clear();
  gsKzKakaoGbn.clear();
  gcKzReqGum = gcKzDcGum = {};
}
}  // namespace orv::state

static const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetKzState);
