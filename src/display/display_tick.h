#pragma once
// What the customer display shows at each tick, from what the sale screen, the payment and
// card forms and the shop options hold: a pure function, so the display form only copies
// the result onto its labels and clears the globals it names.
#include <QColor>
#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

#include "core/currency.h"

namespace orv::display {

struct DisplayCustomer {
  orv::Currency key, no, zerdo, jumsu;
  QString name, barcode, tel, hp, juso, lpDate;
  int16_t degree = 0;
};

// The card approval and refund forms' fields, in the frames' order: iCard, iHalbu, iNo,
// CardName, iDate, Gabu, BalCode, BalName, MeipCode, MeipName, GaM, Result.
using CardTexts = std::array<QString, 12>;

struct DisplayInputs {
  QString now, time;  // the sale screen's clock captions
  // Columns 2 to 5 of each row of the sale grid (name, quantity, unit price, line total).
  QVector<std::array<QString, 4>> lines;
  orv::Currency hab, rGum, cGum, pclGum06;
  int16_t newSale = 0;
  int16_t cash = 0;
  // HabGum, RGum, PayGum, Card, CSobi, Oisang, JaSangPum, TaSangPum, CustJum, UseCustGum,
  // UseCustJum, DcGum, ReGum: the payment screen's fields.
  std::array<orv::Currency, 13> cashFields{};
  int16_t cardChk = 0, disCard = 0, moneyChk = 0, signPlease = 0;
  CardTexts card, disCardTexts;
  orv::Currency cardGum, disCardGum;
  QString moneyCard, moneyNo, moneyDate;
  orv::Currency moneyGum;
  int16_t moneySaup = 0;
  DisplayCustomer customer;
  int16_t cstDisplayNot = 0;  // mask the contact
  QString oneMoaClient, oneMoaPerson, oneMoaName;
  int16_t oneMoaCardKey = 0;
  orv::Currency oneMoaPoint;
  std::array<QString, 5> messages;
};

struct DisplayView {
  QString now, time;
  QVector<std::array<QString, 4>> rows;
  int activeRow = 0;  // the first row without a name (1-based), 0 when 150 are full
  QString habGum, rGum, cGum;
  // No, Name, Degree, Barcode, Tele, Hp, Juso, Juso2, Zerdo, Jumsu, LpDate
  std::array<QString, 11> customer;
  std::array<QString, 5> messages;
  bool cashShown = false, cardShown = false, disCardShown = false, moneyShown = false,
       signShown = false;
  std::array<QString, 13> cash;  // as cashFields
  std::array<QString, 13> card, disCard;  // CardTexts, then iGum
  QString moneyCard, moneyGum, moneyNo, moneyDate;
  bool moneySaup = false;
  QString oneMoa;
  QColor oneMoaColor;
  // Globals the tick clears: a closed frame's mirrors, and a new sale's received money.
  bool clearCash = false, clearCard = false, clearDisCard = false, clearMoney = false;
  bool newSaleSeen = false;  // write the voice flags once, zero rGum, cGum, pclGum06
};

inline constexpr int kDisplayRows = 150;

DisplayView DisplayTick(const DisplayInputs &in);

}  // namespace orv::display
