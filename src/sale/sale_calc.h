#pragma once
// The arithmetic of the sale grid without the grid: the price of a goods line, the kind
// letters, the free-goods quantity, the rounding of amounts to tens, the line discount
// rate, and the totals with supply value and VAT. The sale screen reads its cells into
// these structures, calls these functions and writes the results back.
#include <QString>
#include <cstdint>
#include <span>

#include "chit/records.h"
#include "core/currency.h"
#include "core/money_ops.h"

namespace orv::sale {

// ---- Rounding (shared with payment) ----------------------------------------------------
using orv::money::RoundTens;
using orv::money::RoundWhole;

// ---- Line price -------------------------------------------------------------------------
struct SalePeriodInput {
  int16_t saleSel = 0;  // 9: switched off
  int32_t stDate = 0;   // yyyymmdd
  int32_t edDate = 0;
};

struct PriceInput {
  const GdsCodeRec *goods = nullptr;
  SalePeriodInput period;
  Currency customerKey;  // 0: no customer on the sale
  int16_t customerDegree = 0;
  int32_t tier = 0;      // list index of the price-kind box, 0 to 7
  int32_t workDate = 0;  // yyyymmdd
  int32_t clock = 0;     // hhmm
  Currency partnerPrice; // gcTpsMech1
};

struct PriceResult {
  Currency price;
  // The event cells of the line, written only when set.
  bool setEventPrice = false;
  Currency eventPrice;
  bool setEventGbn = false;
  QString eventGbn;  // "a,b"
};

// Base price (sale period), the goods' own special price (once to mark the line for any
// customer it may serve, once for the customer on the sale), then the price tier.
PriceResult GetGdsDanga(const PriceInput &in);

// ---- Kind letters -----------------------------------------------------------------------
// "T" tax-free, "M" in a bundle, "C" earns free goods, "X" no points, "B" bonus points or
// "%" bonus rate, "O" OneMoa goods; in that order.
QString KindLetters(const GdsCodeRec &goods, Currency bssNo, Currency cmsNo, bool oneMoa);

// ---- Free goods -------------------------------------------------------------------------
struct FreeQtyLine {
  Currency gdsKey;  // ColGdsKey
  Currency qty;     // ColQty
  Currency cmsNo;   // ColCmsNo
  int16_t cmsGbn = 0;  // ColCmsGbn
};

// The quantity (zero or negative) of a free-goods line for `goods` on workDate (yyyymmdd
// text): the linked purchases S on the lines divided by GcdCmsSu, plus the free quantity F
// already on lines, rounded halves to even, negated. 0 outside GcdStdate..GcdEddate, for
// GcdCmsSu 0, or when S is 0.
Currency CalcCmsFreeQty(const GdsCodeRec &goods, const QString &workDate,
                        std::span<const FreeQtyLine> lines);
inline Currency CalcLinkedGdsQty(const GdsCodeRec &goods, const QString &workDate,
                                 std::span<const FreeQtyLine> lines) {
  return CalcCmsFreeQty(goods, workDate, lines);
}

// ---- Line discount and totals ---------------------------------------------------------
// The discount rate shown for a line: (L - A) / L x 100 with L = |qty x price| (the exact
// quantity) and A = |amount|, rounded halves to even; "" when A, L or L - A is 0.
QString LineDcText(Currency qty, Currency price, Currency amount);

struct SaleLine {
  // In: the cells of one grid row.
  Currency gdsKey;
  Currency qty;
  Currency price;
  Currency amount;
  Currency bssNo;
  Currency bottle;
  int16_t cmsGbn = 0;
  int16_t taxFree = 0;
  // Out: what the row's ColAmt and ColDc are to hold (rows without goods: unchanged).
  Currency newAmount;
  QString dc;
};

struct SaleTotals {
  Currency qty;       // every goods line
  Currency freeQty;   // free-goods lines (ColCmsGbn 9)
  Currency freeAmt;
  Currency total;     // rounded to tens
  Currency listSum;   // quantity x price, rounded to tens
  Currency taxFree;   // tax-free lines and bottle deposits
  Currency bottle;
  Currency supply;
  Currency vat;
  // The labels: lblSuSum, lblDCSum (lblKongSum supply, lblNtxSum taxFree, lblBugaSum vat,
  // lblHabGum total).
  Currency shownQty() const;
  Currency shownDc() const;
};

// Supply value Round((total - taxFree) / 1.1 + 0.5) worked in double precision, halves to
// even; VAT the rest.
void SupplyAndVat(Currency total, Currency taxFree, Currency &supply, Currency &vat);

// Line amounts outside bundles are rounded to tens (written back into newAmount only with
// writeBack 1, otherwise only counted); every line's discount rate is worked out from the
// amount its cell then holds.
SaleTotals CalcSaleTotals(std::span<SaleLine> lines, int16_t threshold, int16_t writeBack);

}  // namespace orv::sale
