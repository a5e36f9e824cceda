#include "print/delivery.h"

#include <QVariant>

#include "core/byte_text.h"
#include "core/globals.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/db.h"
#include "schema/month_tables.h"

QString gsBdlPrnText;
int16_t giBdlPrnCard = 0;

namespace orv::print {

namespace {
// Exactly n bytes; an empty field stays n blanks wide so the columns after it keep their place.
QString field(const QString &text, int n) {
  const QString s = MidH(text.trimmed() + QString(n, ' '), 1, n);
  return s.isEmpty() ? QString(n, ' ') : s;
}
}  // namespace

QString BdlPrnLine(const QString &name, const QString &kyg, const QString &qty) {
  return field(name, 20) + field(kyg, 16) + (QString(4, ' ') + qty.trimmed()).right(4);
}

QString DlvChitTable(const QString &date) {
  if (date.size() != 8 || IsDigits(date) != 1)
    throw db::DbError(db::kErrGeneric, QStringLiteral("날짜가 잘못되었습니다: ") + date);
  return QStringLiteral("DlvChit") + date.mid(2, 4);
}

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
  const auto fields = chit::Fields<DlvChitRec>();
  QStringList names;
  for (const auto &f : fields) names << QString::fromLatin1(f.name);
  db::Statement st = goDbMain.Prepare(QStringLiteral("INSERT INTO ") + DlvChitTable(r.DlvDate) + " (" +
                                      names.join(QStringLiteral(", ")) + ") VALUES (" + chit::Placeholders(fields) +
                                      ")");
  chit::BindFields(st, r, fields);
  st.Execute();
}

}  // namespace orv::print

namespace orv::state {
void ResetDeliveryState() {
  gsBdlPrnText.clear();
  giBdlPrnCard = 0;
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetDeliveryState);
}
