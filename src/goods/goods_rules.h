#pragma once
// The rules of the goods screens and the sales inquiries that need no widget: event price
// in force, margins, goods keys and numbers, the amount filter, the web reply, the price
// check's code completion, hour bands, chit totals and the partner ledger's balance.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

#include "core/currency.h"

struct GdsCodeRec;

namespace orv::goods {

// ---- Event price ---------------------------------------------------------------------
// The work date as the number yyyymmdd.
int32_t WorkDateNumber();
// The event period "yyyy.mm.dd~yyyy.mm.dd" (blanks where characters are missing).
QString EventPeriodText(const QString &start, const QString &end);
// In force on the work date workYmd at the clock time hhmm: GcdSaleSel 1, the date inside
// the period, and either all six window times 0 or hhmm inside one window.
bool EventInForce(const GdsCodeRec &g, int32_t workYmd, int32_t hhmm);

// ---- Goods popup ---------------------------------------------------------------------
// (price − cost) / divisor × 100 in double, as money; 0 when it cannot be computed.
orv::Currency MarginPercent(orv::Currency price, orv::Currency cost, orv::Currency divisor);
// The first key after a price box took the focus empties it: digits, 43, Insert, Delete
// and the numeric pad.
bool FirstKeyEmpties(int virtualKey);
// The ten-digit goods number split 3 + 3 + 4 ("000", "001", "2345" for 12345).
std::array<QString, 3> SplitGoodsNo(orv::Currency gcdNo);

// ---- New goods -----------------------------------------------------------------------
// The goods key yymmdd + the counter's last four digits.
orv::Currency GoodsKey(int year, int month, int day, int counter);
// The purchase price with 10 % VAT, rounded up to whole won; tax-free: unchanged.
orv::Currency VatPrice(orv::Currency meip, bool taxFree);
// Digits only, "###,###,###"; "" when nothing or 0 remains.
QString AmountFilter(const QString &text);
// The first free sequence at or above start among the taken ones (ascending).
int32_t FirstFreeSequence(int32_t start, const QVector<int32_t> &taken);

// ---- Web lookup reply ----------------------------------------------------------------
struct XgsRow {
  QString shopCode, name, kyg;
  orv::Currency meip, meip2, danga, boxSu;
  int32_t taxFree = 0;
  QString date, publicName, groupName;
  int32_t groupNo = 0, ownGroupNo = 0;
  bool own = false;
};
struct XgsReply {
  QVector<XgsRow> rows;
  bool badLine = false;  // a data line of the wrong number of parts ended the pass
};
// CR removed, LF and "<P>" become line breaks; "~>" lines split at apostrophes into
// `parts` parts. A reply without a line break gives nothing.
XgsReply ParseXgsReply(QString reply, int parts, const QString &ownShopCode);
// The lines made of the reply's text, in order.
QStringList XgsReplyLines(QString reply);
// The shop's own code, kept only when it is exactly 8 bytes of the code page.
QString OwnShopCode(const QString &option);
// The lookup page's address: base + "/orvprisgp.php" (selt 0) or "/orvprisdn.php", the
// query "?Bar=" key "&Tna=" shop code, each value's code-page bytes percent-encoded.
QString XgsLookupUrl(const QString &base, int selt, const QString &key, const QString &shopCode);

// ---- Price check ---------------------------------------------------------------------
enum class CodeMatch { None, Prefix8, Exact, Exact13 };
struct CheckCode {
  CodeMatch match = CodeMatch::None;
  QString code;
};
// Digits only, cut at 13; completed by their count as the price check does.
CheckCode CompleteCheckCode(const QString &raw);

// ---- Totals ---------------------------------------------------------------------------
// "09:00 ~ 09:59" for 0..23, "" otherwise.
QString HourBand(orv::Currency hour);
// sales ÷ count, halves to even; 0 when either is 0.
orv::Currency AveragePerChit(orv::Currency sales, orv::Currency count);
// Cash sales: PctMoney, plus sales − received when the sales are not 0.
orv::Currency CashSales(orv::Currency money, orv::Currency sales, orv::Currency received);

// ---- Chit search totals ----------------------------------------------------------------
struct ChitLine {
  orv::Currency su, danga, gum;
  int32_t tax = 0;
};
struct ChitTotals {
  orv::Currency qty, total, noTax, supply, tax, gross;
};
ChitTotals SumChitLines(const QVector<ChitLine> &lines);
// The payment words of a chit row: 현금, 카드, 사내, 외상.
QString PayKinds(orv::Currency money, orv::Currency card, orv::Currency cSobi,
                 orv::Currency oisang);

// ---- Partner ledger --------------------------------------------------------------------
struct LedgerIn {
  int32_t year = 0, month = 0, day = 0;
  orv::Currency mech, mcdc, sugum, misu;
};
struct LedgerOut {
  QString date;  // "이      전" for the carried-over row
  orv::Currency mech, mcdc, sugum, balance;
};
// Rows with the running balance, then the totals row "합      계" (none without rows).
QVector<LedgerOut> BuildLedger(const QVector<LedgerIn> &rows);

}  // namespace orv::goods
