// Bundle promotions on the sale grid: the lines of the bundle last touched are priced
// again as a group.
#include <QDate>
#include <QSet>
#include <vector>

#include "chit/records.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "sale/bundle_price.h"
#include "sale/frmMain.h"
#include "sale/sale_globals.h"

using namespace orv;
using orv::sale::BundleRule;

namespace {

int IntOf(const db::Recordset &rs, const char *field) {
  return int(NzCur(rs.Field(QString::fromLatin1(field))).RoundToInt());
}

BundleRule RuleOf(const db::Recordset &rs) {
  BundleRule r;
  r.su = NzCur(rs.Field("bsnSu"));
  r.mech = NzCur(rs.Field("bsnMech"));
  r.saleSel = IntOf(rs, "bsnSaleSel");
  r.stDate = NzStr(rs.Field("bsnStDate"));
  r.edDate = NzStr(rs.Field("bsnEdDate"));
  r.yoil = IntOf(rs, "bsnYoil");
  r.g1 = IntOf(rs, "bsnSaleGbn1");
  r.g2 = IntOf(rs, "bsnSaleGbn2");
  for (int n = 1; n <= 3; ++n) {
    sale::BundleWindow &w = r.windows[size_t(n - 1)];
    const QString s = QString::number(n);
    w.st = NzStr(rs.Field("bsnStTime" + s));
    w.ed = NzStr(rs.Field("bsnEdTime" + s));
    w.g1 = int(NzCur(rs.Field("bsnSaleGbn" + s + "1")).RoundToInt());
    w.g2 = int(NzCur(rs.Field("bsnSaleGbn" + s + "2")).RoundToInt());
  }
  return r;
}

}  // namespace

void frmMain::CalcBsnDanga() {
  if (glHalSel != 1 || mcBsnNo.IsZero()) return;
  db::Recordset rs;
  try {
    // Both reads run at every key: kept prepared, a server neither parses nor plans them
    // again.
    rs = goDbMain.QueryKept(QStringLiteral("Select * From BsnCode Where BsnNo=?"),
                            {qlonglong(mcBsnNo.RoundToInt())});
    if (rs.RecordCount() == 0) return;
    rs.MoveFirst();
    const BundleRule r = RuleOf(rs);
    const qlonglong bsnNo = qlonglong(NzCur(rs.Field("bsnNo")).RoundToInt());
    rs.Close();

    const QDate work(giWrkYear, giWrkMonth, giWrkDay);
    sale::BundleContext ctx;
    ctx.halSel = glHalSel;
    ctx.workDate = QStringLiteral("%1%2%3")
                       .arg(giWrkYear, 4, 10, QChar('0'))
                       .arg(giWrkMonth, 2, 10, QChar('0'))
                       .arg(giWrkDay, 2, 10, QChar('0'));
    ctx.weekday = work.isValid() ? work.dayOfWeek() : 0;
    ctx.clock = clock::Now().time().toString(QStringLiteral("HHmmss"));
    ctx.customerKey = gtCstCode.CcdKey;
    ctx.customerDegree = gtCstCode.CcdDegree;
    if (!sale::BundleApplies(r, ctx)) return;

    // The whole membership at once, rather than a query per line.
    rs = goDbMain.QueryKept(
        QStringLiteral(
            "Select A.GcdKey From GdsCode A Join BssCode B On A.GcdKey=B.BssNo2 Where B.BssNo=?"),
        {bsnNo});
    QSet<qint64> keys;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) keys.insert(NzCur(rs.Field(0)).raw());
    rs.Close();

    std::vector<sale::BundleLine> lines;
    for (int row = 1; row <= kSaleLines; ++row) {
      const Currency key = ValCur(GetCellText(vaSpread1, row, ColGdsKey));
      if (key.IsZero()) continue;
      const Currency qty = ValCur(GetCellText(vaSpread1, row, ColQty));
      if (qty.IsZero()) continue;
      if (!keys.contains(key.raw())) continue;
      lines.push_back({row, qty, ValCur(GetCellText(vaSpread1, row, ColPrice))});
    }
    if (lines.empty()) return;
    // Every amount is known before the first is written.
    for (const sale::BundleAmount &a : sale::PriceBundle(r, lines))
      SetCellText(vaSpread1, a.row, ColAmt, QString::number(a.amount.RoundToInt()));
  } catch (const db::DbError &e) {
    rs.Close();
    dialogs::MsgBox(e.Description);
  }
}
