#include <QEventLoop>
#include <QTimer>

#include "customer/onemoa.h"
#include "core/values.h"
#include "platform/db.h"

namespace orv::onemoa {

namespace {

int gPauseMs = 500;

QString CheckedMonth(const QString &yymm) {
  bool ok = yymm.size() == 4;
  for (QChar c : yymm) ok = ok && c.isDigit();
  if (!ok) throw db::DbError(db::kErrGeneric, QStringLiteral("작업월 오류: ") + yymm);
  return yymm;
}

void BindKey(db::Statement &st, int from, const ChitKey &k) {
  st.Bind(from, k.year);
  st.Bind(from + 1, k.mon);
  st.Bind(from + 2, k.day);
  st.Bind(from + 3, k.chtNo);
}

void SetChitFlag(db::Connection &c, const QString &table, const ChitKey &k, int flag) {
  db::Statement st = c.Prepare(" Update " + table +
                               "   Set  PctSss1=? Where  PctYear=? And PctMon=? And PctDay=? "
                               "And PctChtNo=? ");
  st.Bind(0, flag);
  BindKey(st, 1, k);
  st.Execute();
}

void SetCodeParts(db::Connection &c, const QString &table, const char *prefix, const ChitKey &k,
                  const CodeParts &p) {
  const QString x = QLatin1String(prefix);
  db::Statement st = c.Prepare(" Update " + table + "   Set  " + x + "Sss3=?, " + x +
                               "Sss4=? Where  " + x + "Year=? And " + x + "Mon=? And " + x +
                               "Day=? And " + x + "ChtNo=? ");
  st.Bind(0, p.first7);
  st.Bind(1, p.last6);
  BindKey(st, 2, k);
  st.Execute();
}

}  // namespace

void SetPauseMs(int ms) { gPauseMs = ms; }

void Pause() {
  if (gPauseMs <= 0) return;
  QEventLoop loop;
  QTimer::singleShot(gPauseMs, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

SendOutcome SendOneMoaChit(const QString &url) {
  const Exchange ex = Send(url);
  SendOutcome out;
  if (!ex.ok) {
    out.fail = true;
    return out;
  }
  const QString code = ex.elements > 0 ? ex.Value(QStringLiteral("resultcode")) : QStringLiteral("?");
  if (code != QLatin1String("0")) {
    out.fail = true;
    out.message = ex.Value(QStringLiteral("returnmsg"));
  }
  return out;
}

bool SendReport(const Report &r) {
  bool allOk = true;
  const QString dateTime = BuyDateTime(r.date, r.time);
  auto send = [&](const QString &url, const QString &tag) {
    const SendOutcome o = SendOneMoaChit(url);
    allOk = allOk && !o.fail;
    if (o.fail)
      LogOneMoaErr(r.date, r.time, r.chitNo, tag, url, o.message);
    else
      LogOneMoaOk(r.date, r.time, r.chitNo, tag, url, {});
  };
  SaleHeader h{r.clientCode, r.personCode, r.total, dateTime,
               r.cancel ? QStringLiteral("0") : r.usePoint, r.cashier, r.pcIp};
  send(SaleHeaderQuery(r.server, h), r.cancel ? QStringLiteral("DeleteChit")
                                              : QStringLiteral("WriteChit"));
  Pause();
  for (const ReportLine &l : r.lines) {
    SaleLine s{r.clientCode, r.personCode, l.code, l.name, l.price, l.qty, dateTime};
    const QString tag = (r.cancel ? QStringLiteral("DeleteGods-") : QStringLiteral("WriteGods-")) +
                        QString::number(l.index) + ':' + DelSpace(l.name);
    send(SaleLineQuery(r.server, s), tag);
  }
  Pause();
  return allOk;
}

void MarkOneMoaSending(db::Connection &main, db::Connection &pos, const QString &yymm,
                       const ChitKey &mainKey, const ChitKey &posKey) {
  const QString m = CheckedMonth(yymm);
  db::Transaction tm(main);
  db::Transaction tp(pos);
  SetChitFlag(main, "PanChit" + m, mainKey, 2);
  SetChitFlag(pos, "PanChitT" + m, posKey, 2);
  tm.Commit();
  tp.Commit();
}

void MarkOneMoaSent(db::Connection &main, db::Connection &pos, const QString &yymm,
                    const ChitKey &mainKey, const ChitKey &posKey, bool allSent,
                    const QString &personCode) {
  const QString m = CheckedMonth(yymm);
  const std::optional<CodeParts> parts = SplitMemberCode(personCode.trimmed());
  if (!parts)
    db::LogFailure(QStringLiteral("OneMoa 고객코드가 13자리 숫자가 아니어서 기록하지 않음: ") +
                   personCode);
  const int flag = allSent ? 1 : 2;
  db::Transaction tm(main);
  db::Transaction tp(pos);
  SetChitFlag(main, "PanChit" + m, mainKey, flag);
  if (parts) {
    SetCodeParts(main, "PanList" + m, "Pcl", mainKey, *parts);
    SetCodeParts(main, "PanGods" + m, "Pcg", mainKey, *parts);
  }
  SetChitFlag(pos, "PanChitT" + m, posKey, flag);
  if (parts) {
    SetCodeParts(pos, "PanListT" + m, "Pcl", mainKey, *parts);
    SetCodeParts(pos, "PanGodsT" + m, "Pcg", posKey, *parts);
  }
  tm.Commit();
  tp.Commit();
}

}  // namespace orv::onemoa
