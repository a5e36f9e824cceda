#include "print/delivery.h"

#include <QVariant>

#include "core/byte_text.h"
#include "core/globals.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/db.h"
#include "schema/month_tables.h"

DlvChitRec gtDlvChit;
QString gsBdlPrnText;
int16_t giBdlPrnCard = 0;

namespace orv::print {

QString BdlPrnLine(const QString &name, const QString &kyg, const QString &qty) {
  return MidH(name.trimmed() + QString(20, ' '), 1, 20) + MidH(kyg.trimmed() + QString(16, ' '), 1, 16) +
         (QString(4, ' ') + qty.trimmed()).right(4);
}

QString DlvChitTable(const QString &date) {
  if (date.size() != 8 || IsDigits(date) != 1)
    throw db::DbError(db::kErrGeneric, QStringLiteral("날짜가 잘못되었습니다: ") + date);
  return QStringLiteral("DlvChit") + date.mid(2, 4);
}

namespace {
QVariant key(Currency c) { return QVariant(qlonglong(c.RoundToInt())); }
QVariant money(Currency c) { return QVariant(c.ToPlainText()); }
}  // namespace

bool DlvChitExists(const DlvChitRec &rec) {
  db::Statement st = goDbMain.Prepare(QStringLiteral("SELECT DlvNo FROM ") + DlvChitTable(rec.DlvDate) +
                                      " WHERE DlvYear = ? AND DlvMon = ? AND DlvDay = ? AND DlvNo = ?");
  st.Bind(0, int(rec.DlvYear));
  st.Bind(1, int(rec.DlvMon));
  st.Bind(2, int(rec.DlvDay));
  st.Bind(3, int(rec.DlvNo));
  return st.Query().RecordCount() > 0;
}

void InsertDlvChitRow(const DlvChitRec &r) {
  QString marks = QStringLiteral("?");
  for (int i = 1; i < 35; ++i) marks += QStringLiteral(", ?");
  db::Statement st = goDbMain.Prepare(
      QStringLiteral("INSERT INTO ") + DlvChitTable(r.DlvDate) +
      " (DlvYear, DlvMon, DlvDay, DlvDate, DlvNo, DlvChtNo, DlvPosNo, DlvPsnKey, DlvBdlKey, DlvCstKey, "
      "DlvHab, DlvMoney, DlvCard, DlvTax, DlvGum, DlvBuga, DlvNtx, DlvZtax, DlvName, DlvTele, DlvPost, "
      "DlvJuso, DlvWrtDate, DlvWrtTime, DlvJunsong, DlvSss1, DlvSss2, DlvSss3, DlvSss4, DlvSss5, DlvSss6, "
      "DlvSss7, DlvSss8, DlvSss9, DlvSss10) VALUES (" +
      marks + ")");
  const QVariant values[] = {
      int(r.DlvYear), int(r.DlvMon), int(r.DlvDay), r.DlvDate, r.DlvNo, r.DlvChtNo, r.DlvPosNo,
      key(r.DlvPsnKey), key(r.DlvBdlKey), key(r.DlvCstKey), money(r.DlvHab), money(r.DlvMoney),
      money(r.DlvCard), money(r.DlvTax), money(r.DlvGum), money(r.DlvBuga), money(r.DlvNtx),
      money(r.DlvZtax), r.DlvName, r.DlvTele, r.DlvPost, r.DlvJuso, r.DlvWrtDate, r.DlvWrtTime,
      int(r.DlvJunsong)};
  int i = 0;
  for (const QVariant &v : values) st.Bind(i++, v);
  for (int16_t s : r.DlvSss) st.Bind(i++, int(s));
  st.Execute();
}

}  // namespace orv::print

namespace orv::state {
void ResetDeliveryState() {
  gtDlvChit = DlvChitRec{};
  gsBdlPrnText.clear();
  giBdlPrnCard = 0;
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetDeliveryState);
}
