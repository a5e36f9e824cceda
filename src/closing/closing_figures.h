#pragma once
// The figures of a closing as a value: the month window of a date (ClosingContext) and what
// every box of the closing screen shows (ClosingFigures), read from the POS database. The
// screen renders the struct; the reset, the saved closing and the reports read it.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "core/currency.h"

namespace orv::closing {

// The work date and the month tables around it: the month before, of and after the date,
// each taken only when its PanChitT exists on the POS database.
struct ClosingContext {
  QString msWrkDate;  // yyyymmdd
  QString msYyMmPrev, msYyMmCur, msYyMmNext;  // yymm
  int16_t miHasPrev = 0, miHasCur = 0, miHasNext = 0;

  // The flagged suffixes, previous, current, next.
  QStringList Months() const;
};

// The window of a date, flags all 0 (pure). January gives December before, December
// January after; 31 March gives February. An invalid date gives an empty context.
ClosingContext MakeClosingContext(int year, int month, int day);
// From yyyymmdd (a saved closing's TemDate); empty for anything but eight digits of a date.
ClosingContext MakeClosingContext(const QString &yyyymmdd);
// The work date's window (giWrkYear, giWrkMonth, giWrkDay).
ClosingContext WorkDateContext();
// Sets the three flags from the POS database. DbError reaches the caller.
void ProbeClosingContext(ClosingContext &ctx);

// One row of the goods grid: a goods item and direction (Ord 0 sold, 1 returned).
struct ClosingGoodsRow {
  int Ord = 0;
  QString GcdNo, GcdBarCode, GcdName, GcdKyg;
  int GcdSel1 = 0;  // 9 coupon goods
  orv::Currency PcgGdsKey, PcgSu, PcgGum;

  QString BarcodeText() const;   // the barcode, else the goods number
  QString NameText() const;      // the name, with "[spec]" when there is one
  bool IsCoupon() const { return GcdSel1 == 9; }
};

struct MidDeposit {
  QString msMidDate, msMidTime;  // write date and time
  orv::Currency mcMidGum;
};

// Every box of the closing screen, each holding exactly what its text shows (whole won,
// halves away from zero); txtBanSu and txtCmsSu plain.
struct ClosingFigures {
  orv::Currency txtInitGum, txtMidGum, txtPctHab, txtPctMoney, txtPclJa, txtPclTa, txtPctCard,
      txtPctOiSang, txtPctCSobi, txtPclGum05, txtPclGum06, txtOiReturn, txtOiMoney, txtOiCard,
      txtNowMoney, txtRealMoney, txtRealCard, txtRealSang, txtBanGum, txtCmsGum, txtPctGum,
      txtPctBuga, txtPctNtx, txtDcGum;
  int64_t txtBanSu = 0;    // return chits
  orv::Currency txtCmsSu;  // coupon quantity
  QString msIntDate, msIntTime;      // the opening-cash row, empty without one
  std::vector<MidDeposit> deposits;  // open deposits in date and time order
  std::vector<ClosingGoodsRow> goods;
};

// What a box shows of an amount: rounded to whole won, halves away from zero. Throws
// std::overflow_error when the rounded amount is out of the money range.
orv::Currency Shown(orv::Currency value);

// The four reads of the open figures of the logged-in cashier (gcLogPsnKey) on goDbPos. Each
// overwrites only its own part of the figures and throws DbError (or std::overflow_error)
// with the figures untouched. Without a flagged month its sums are 0 and no statement runs.
// Goods sold and returned, the return chits and the coupons.
void ReadGoodsFigures(const ClosingContext &ctx, ClosingFigures &f);
// Opening cash (this POS) and the open deposits (any POS).
void ReadInitGumFigures(ClosingFigures &f);
// Receivables collected.
void ReadOiReturnFigures(const ClosingContext &ctx, ClosingFigures &f);
// Sale totals and the balances derived from every box; runs after the other three.
void ReadPanChitFigures(const ClosingContext &ctx, ClosingFigures &f);
// All four, in that order.
ClosingFigures ReadOpenFigures(const ClosingContext &ctx);

// The sale sums of the chits (the sums of fcPanChitSerch's statement) and what the boxes make
// of them; shared by the open figures and a saved closing's.
struct ChitSums {
  orv::Currency PctHab, PctRGum, PctMoney, PclJaSangPum, PclTaSangPum, PclGum05, PclGum06,
      PctCard, PctOiSang, PctCSobi, PctGum, PctBuga, PctNtx, PctSss4;
};
// withDiscount false leaves txtDcGum as it was (a saved closing's sums).
void ApplyChitSums(const ChitSums &s, ClosingFigures &f, bool withDiscount = true);

// A saved closing: the chits its TemDetail rows list (open or closed since), of the
// logged-in cashier, in the months of ctx (the window around its date), and its TemInitGum
// row (the last one read when there are several; none gives 0 and empty times). The goods
// boxes, cash, collections and sales as for the open figures; the deposit list and
// txtDcGum stay as they were.
struct SavedClosing {
  QString date;  // TemDate
  int32_t no = 0;  // TemChtNo
};
void ReadSavedGoodsFigures(const ClosingContext &ctx, const SavedClosing &saved, ClosingFigures &f);
void ReadSavedInitGumFigures(const SavedClosing &saved, ClosingFigures &f);
void ReadSavedOiReturnFigures(const ClosingContext &ctx, const SavedClosing &saved,
                              ClosingFigures &f);
void ReadSavedPanChitFigures(const ClosingContext &ctx, const SavedClosing &saved,
                             ClosingFigures &f);

}  // namespace orv::closing
