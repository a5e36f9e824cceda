#pragma once
// Posting one day's sale chits again from the POS copies (PanChitT, PanGodsT, PanListT of
// the day's month) into the main database through the sale saver, one chit per pair of
// transactions, under numbers the saver gives.
#include <QDate>
#include <QString>
#include <functional>

namespace orv::sync {

struct ResendOutcome {
  int posted = 0;
  // Empty when the day went through (or there was nothing to post); else the box's text
  // and title. The chits before the failing one stay posted.
  QString failure;
  QString title;
};

// withCustomers: each chit's customer also gains one visit and the chit's sales and points.
// Online only. Every record is cleared per chit; the work date is the chit's while it is
// saved and the one found before the run afterwards, on every way out. A chit of more than
// 150 lines is refused (the saver holds 150). progress(0..100) after each chit.
ResendOutcome ResendDayData(const QDate &day, bool withCustomers,
                            const std::function<void(int)> &progress = {});

}  // namespace orv::sync
