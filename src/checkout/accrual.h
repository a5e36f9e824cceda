#pragma once
// Customer points of a sale: the shop's rules (rates, tender gates, event days and hours,
// grade bonuses, customer money taken, change turned into points) applied to the chit
// records and the customer record in memory. Nothing here writes to a database: the
// visit counter is read here and its new value handed to the commit, which writes it with
// the chit.
#include <QString>
#include <QTime>
#include <array>
#include <cstdint>
#include <functional>

#include "core/currency.h"

namespace orv::checkout {

// The options of OrvRegistry the accrual reads. A whole number outside 16 bits reads 0.
struct AccrualOptions {
  int16_t rate1 = 0, rate2 = 0, factor = 1;
  int16_t cstCard = 0, sangpumJa = 0, sangpumTa = 0, oisangNot = 0, oisangCard = 0,
          moneyCard = 0;
  int16_t jumSel = 0;
  QString jumDate, jumYoil;
  int16_t jumMul = 0;
  std::array<Currency, 3> gumD{}, mulD{};
  std::array<QString, 3> time{};
  std::array<int16_t, 3> mul{};
  std::array<std::array<Currency, 3>, 3> gumT{}, mulT{};
  int16_t cstPanPrt = 0;
  Currency moneyPoint;  // PosBnsMoneyPoint read as text
};
AccrualOptions ReadAccrualOptions();
// The whole number v, or 0 outside -32768..32767.
int16_t Narrow16(int64_t v);

// The event multiplier M of a sale total on the work date (yyyymmdd) at the clock's hhmm.
int16_t EventMultiplier(const AccrualOptions &o, const QString &wrkDate, Currency total,
                        QTime now);
// Raw points of a base at a rate with the rounding addend (0 for a rate of 0).
Currency RawPoints(Currency base, int32_t rate, Currency round);

// The pending write of the daily visit counter (CstCode.CcdSss2).
struct VisitWrite {
  bool pending = false;
  bool onPointServer = false;  // goDbTs, else goDbMain
  Currency key;
  int32_t value = 0;
};
// "Update CstCode Set CcdSss2=…" of a pending write.
QString VisitUpdateSql(const VisitWrite &w);

// The payment screen's side of one accrual.
struct AccrualContext {
  QString wrkDate;        // yyyymmdd
  int16_t wrkMonth = 0, wrkDay = 0;
  QDateTime now;          // the PC's clock
  int16_t irt = 0;        // giOrvSetCstIrt
  int16_t onLine = 1, cstTsMode = 0;
  int16_t oisangPay = 0;
  int32_t oisangChtNo = 0;
  int16_t bnsMnySel = 0;
  Currency bnsJumsu, bnsGum, bnsMoney;
  int16_t coinPointAdd = 0;
  Currency custMoney;     // the customer money box
  Currency due;           // the amount-due label
  QString changeText;     // the change label, commas removed
  QString cashText;       // the cash box, commas removed
  Currency jumsuGum, gdsJumsu;
  std::array<int16_t, 5> gradeSelt{}, gradeMulti{}, gradeAdd{}, gradeCnt{};
  // Results.
  Currency jumsuRound, oisangGum01, oisangGum02, noCstJumsu;
  VisitWrite visit;
  // Reads the visit counter's stored value of the customer (0 when no row); tests set it.
  std::function<int32_t(bool onPointServer, Currency key)> readVisit;
};

// Member sale: gtCstCode and gtPanList; without member: noCstJumsu.
void CalcCstJumsu(AccrualContext &c, const AccrualOptions &o);
void CalcNoCstJumsu(AccrualContext &c, const AccrualOptions &o);
// Points plus the grade bonuses of gtCstCode's grade; writes PclGum08 and PclGum10.
Currency AddGradeJumsu(AccrualContext &c, Currency v);
// The visit counter: whether today's visits already reach count; the new value is left
// pending in c.visit.
bool CountCstVisit(AccrualContext &c, int16_t count, bool onPointServer);

}  // namespace orv::checkout
