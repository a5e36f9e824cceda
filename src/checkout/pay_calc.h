#pragma once
// The payment screen's arithmetic without the screen: the amount due, the F1 discount,
// the cash and card shares of the goods lines, the coin part of the change, the small-
// amount block of the tender keys and the customer-money rule.
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

#include "core/currency.h"

namespace orv::checkout {

// The amount due of a chit total: the sale screen's rounding to tens (threshold giSetJulsa).
Currency DueOf(Currency total, int16_t julsa);

// The F1 discount: Int(total × rate / 100) brought to tens, a half ten to the even one.
// nullopt for a rate outside 0..100.
std::optional<Currency> DiscountOf(Currency total, Currency rate);

// Cash and card shares of every goods line of gtPanGods by the ratio of PctCard to PctHab
// of gtPanChit (two decimals, halves to even), and the chit number on each such line.
void SplitCardShare(int32_t chtNo);

// What the coin changer pays for a change text ("1,234"): the tens and hundreds below
// 1,000 won; with pointRule (a customer on the sale and PosBnsMoneyPoint set) the hundreds
// only. nullopt when nothing is paid; a change of 0 or below pays nothing.
std::optional<int16_t> CoinPayoutAmount(const QString &change, bool pointRule);

// True when any amount lies between 1 and 9 won (either sign): the tender keys wait.
bool TenderBoxesBlock(std::span<const Currency> amounts);

// The customer-money rule shared by the boxes and the commit.
enum class CstMoneyRefusal { None, Points, Money, BadInput };
struct CstMoneyInput {
  Currency typed;      // the customer money typed
  Currency disCoin;    // the change-deduction box
  bool fromPoints = false;  // PosCstPanPrt set
  Currency usableGum, usableJum, due, unit, total;
};
CstMoneyRefusal CheckCstMoney(const CstMoneyInput &in);

// The texts of a refusal.
QString CstMoneyText(CstMoneyRefusal r);

}  // namespace orv::checkout
