#pragma once
// Small plain functions of the sale screen: the "@" pattern, the work-date bounds, the
// help panel's key map.
#include <QDate>
#include <QString>

// Lays text into the "@" places of a pattern from the right: a shorter text is padded with
// blanks on the left, the pattern's other characters stand as they are, and characters
// beyond the places are dropped from the left ("20240315", "@@@@.@@.@@" → "2024.03.15").
QString LayIntoPattern(const QString &text, const QString &pattern);

// The work dates allowed on a day: one calendar month back to one month forward, a day
// missing in the target month clamped to its last day; yyyymmdd numbers, both allowed.
struct WorkDateBounds {
  int lower = 0;
  int upper = 0;
  bool Contains(int yyyymmdd) const { return yyyymmdd >= lower && yyyymmdd <= upper; }
};
WorkDateBounds WorkDateBoundsFor(const QDate &today);
int YmdNumber(const QDate &d);

// The help panel's key map; julBarcode is the scale-identifier option.
QString HelpText(const QString &julBarcode);

// The sale period label: start and end days laid into "@@@@.@@.@@" with "~" between,
// "(세일중임)" appended when the work date is inside an active period; "" when both days
// are 0. *onSale tells whether the label is to be red.
QString SaleDateCaption(int saleSel, int startYmd, int endYmd, int workYmd, bool *onSale);
