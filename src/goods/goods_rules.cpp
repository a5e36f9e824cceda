#include "goods/goods_rules.h"

#include <QUrl>
#include <cmath>

#include "chit/records.h"
#include "core/byte_text.h"
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "platform/keys.h"

using namespace orv::money;

namespace orv::goods {

namespace {
int64_t Num(const QString &text) { return NzCur(text).RoundToInt(); }
}  // namespace

int32_t WorkDateNumber() { return int32_t(giWrkYear) * 10000 + giWrkMonth * 100 + giWrkDay; }

QString EventPeriodText(const QString &start, const QString &end) {
  return FormatAt(start, QStringLiteral("@@@@.@@.@@")) + '~' +
         FormatAt(end, QStringLiteral("@@@@.@@.@@"));
}

bool EventInForce(const GdsCodeRec &g, int32_t workYmd, int32_t hhmm) {
  if (g.GcdSaleSel != 1) return false;
  if (workYmd < Num(g.GcdStdtsale) || workYmd > Num(g.GcdEddtsale)) return false;
  const std::array<std::pair<int64_t, int64_t>, 3> windows{{
      {Num(g.GcdSttmsale1), Num(g.GcdEdtmsale1)},
      {Num(g.GcdSttmsale2), Num(g.GcdEdtmsale2)},
      {Num(g.GcdSttmsale3), Num(g.GcdEdtmsale3)},
  }};
  bool allZero = true;
  for (const auto &w : windows) allZero = allZero && w.first == 0 && w.second == 0;
  if (allZero) return true;
  for (const auto &w : windows)
    if (hhmm >= w.first && hhmm <= w.second) return true;
  return false;
}

Currency MarginPercent(Currency price, Currency cost, Currency divisor) {
  if (divisor.IsZero()) return {};
  const auto diff = Currency::Sub(price, cost);
  if (!diff) return {};
  const double v = diff->ToDouble() / divisor.ToDouble() * 100.0;
  if (!std::isfinite(v)) return {};
  return Currency::FromDouble(v).value_or(Currency());
}

bool FirstKeyEmpties(int vk) {
  return (vk >= 48 && vk <= 57) || vk == 43 || vk == keys::vbKeyInsert || vk == keys::vbKeyDelete ||
         (vk >= 96 && vk <= 111);
}

std::array<QString, 3> SplitGoodsNo(Currency gcdNo) {
  const QString t = QString::number(gcdNo.RoundToInt()).rightJustified(10, '0');
  return {t.mid(0, 3), t.mid(3, 3), t.mid(6)};
}

Currency GoodsKey(int year, int month, int day, int counter) {
  const QString text = QStringLiteral("%1%2%3%4")
                           .arg(year % 100, 2, 10, QChar('0'))
                           .arg(month, 2, 10, QChar('0'))
                           .arg(day, 2, 10, QChar('0'))
                           .arg(QString::number(counter).rightJustified(4, '0').right(4));
  return NzCur(text);
}

Currency VatPrice(Currency meip, bool taxFree) {
  if (taxFree) return meip;
  return Whole(RoundHalfEven(meip.ToDouble() * 1.1 + 0.5));
}

QString AmountFilter(const QString &text) {
  QString digits;
  for (QChar c : text)
    if (c >= '0' && c <= '9') digits += c;
  const Currency v = NzCur(digits);
  return v.IsZero() ? QString() : FmtAmt(v, 1);
}

int32_t FirstFreeSequence(int32_t start, const QVector<int32_t> &taken) {
  int32_t candidate = start;
  for (int32_t seq : taken) {
    if (seq != candidate) break;
    ++candidate;
  }
  return candidate;
}

QStringList XgsReplyLines(QString reply) {
  reply.remove('\r');
  reply.replace('\n', QStringLiteral("\r\n"));
  reply.replace(QStringLiteral("<P>"), QStringLiteral("\r\n"));
  if (TrimBlanks(reply).isEmpty() || !reply.contains(QStringLiteral("\r\n"))) return {};
  return reply.split(QStringLiteral("\r\n"));
}

XgsReply ParseXgsReply(QString reply, int parts, const QString &ownShopCode) {
  XgsReply out;
  for (const QString &raw : XgsReplyLines(std::move(reply))) {
    const QString line = TrimBlanks(raw);
    if (!line.startsWith(QStringLiteral("~>"))) continue;
    QStringList p = line.split('\'');
    if (p.size() != parts) {
      out.badLine = true;
      break;
    }
    for (QString &s : p) s = TrimBlanks(s);
    while (p.size() < 14) p << QString();
    XgsRow r;
    r.shopCode = p[1];
    r.name = p[2];
    r.kyg = p[3];
    r.meip = NzCur(p[4]);
    r.meip2 = NzCur(p[5]);
    r.danga = NzCur(p[6]);
    r.taxFree = int32_t(NzCur(p[7]).RoundToInt());
    r.boxSu = NzCur(p[8]);
    r.date = p[9];
    r.publicName = p[10];
    r.groupName = p[11];
    r.groupNo = int32_t(NzCur(p[12]).RoundToInt());
    r.ownGroupNo = int32_t(NzCur(p[13]).RoundToInt());
    r.own = !ownShopCode.isEmpty() && r.shopCode == ownShopCode;
    out.rows << r;
  }
  return out;
}

QString OwnShopCode(const QString &option) { return LenH(option) == 8 ? option : QString(); }

QString XgsLookupUrl(const QString &base, int selt, const QString &key, const QString &shopCode) {
  // Encoded here, byte by byte: a "&" or "#" in a code would otherwise cut the query, and
  // the server reads the code page, not UTF-8.
  const QByteArray query = "Bar=" + codepage::Encode(key).toPercentEncoding() +
                           "&Tna=" + codepage::Encode(shopCode).toPercentEncoding();
  QUrl url(base + (selt == 0 ? QStringLiteral("/orvprisgp.php") : QStringLiteral("/orvprisdn.php")));
  url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
  return url.toString(QUrl::FullyEncoded);
}

CheckCode CompleteCheckCode(const QString &raw) {
  QString d;
  for (QChar c : raw)
    if (c >= '0' && c <= '9') d += c;
  d = d.left(13);
  const bool zero = d.startsWith('0');
  switch (d.size()) {
    case 6:
      return {CodeMatch::Prefix8, zero ? d : '0' + d};
    case 7:
      return zero ? CheckCode{CodeMatch::Prefix8, d} : CheckCode{CodeMatch::Exact, '0' + d};
    case 11:
      return {CodeMatch::Exact13, "00" + d};
    case 12:
      // As the sale screen's scanner does: a "0" in front of every 12-digit code.
      return {CodeMatch::Exact13, '0' + d};
    default:
      return {d.isEmpty() ? CodeMatch::None : CodeMatch::Exact, d};
  }
}

QString HourBand(Currency hour) {
  for (int k = 0; k <= 23; ++k)
    if (Whole(k) <= hour && hour < Whole(k + 1))
      return QStringLiteral("%1:00 ~ %1:59").arg(k, 2, 10, QChar('0'));
  return {};
}

Currency AveragePerChit(Currency sales, Currency count) {
  if (sales.IsZero() || count.IsZero()) return {};
  return Whole(RoundHalfEven(sales.ToDouble() / count.ToDouble()));
}

Currency CashSales(Currency money, Currency sales, Currency received) {
  if (sales.IsZero()) return money;
  return money + sales - received;
}

ChitTotals SumChitLines(const QVector<ChitLine> &lines) {
  ChitTotals t;
  for (const ChitLine &l : lines) {
    t.qty += l.su;
    t.total += l.gum;
    if (l.tax == 1) t.noTax += l.gum;
    t.gross += l.su * l.danga;
  }
  t.supply = Whole(RoundHalfEven((t.total - t.noTax).ToDouble() / 1.1 + 0.5));
  t.tax = t.total - t.supply - t.noTax;
  return t;
}

QString PayKinds(Currency money, Currency card, Currency cSobi, Currency oisang) {
  QString s;
  if (!money.IsZero()) s += QStringLiteral("현금");
  if (!card.IsZero()) s += QStringLiteral("카드");
  if (!cSobi.IsZero()) s += QStringLiteral("사내");
  if (!oisang.IsZero()) s += QStringLiteral("외상");
  return s;
}

QVector<LedgerOut> BuildLedger(const QVector<LedgerIn> &rows) {
  QVector<LedgerOut> out;
  if (rows.isEmpty()) return out;
  Currency balance, mech, mcdc, sugum;
  for (const LedgerIn &r : rows) {
    LedgerOut o;
    if (r.day != 0) {
      balance += r.misu;
      o.mech = r.mech;
      o.mcdc = r.mcdc;
      o.sugum = r.sugum;
      o.date = QStringLiteral("%1.%2.%3")
                   .arg(r.year, 4, 10, QChar('0'))
                   .arg(r.month, 2, 10, QChar('0'))
                   .arg(r.day, 2, 10, QChar('0'));
    } else {
      balance = r.misu;
      o.date = QStringLiteral("이      전");
    }
    o.balance = balance;
    mech += o.mech;
    mcdc += o.mcdc;
    sugum += o.sugum;
    out << o;
  }
  out << LedgerOut{QStringLiteral("합      계"), mech, mcdc, sugum, balance};
  return out;
}

}  // namespace orv::goods
