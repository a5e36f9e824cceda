#pragma once
// What every lookup dialog shares: folding and escaping typed text for the statements,
// the initial-consonant name ranges, the 3+3+4 split of numbers, bound statements, the
// database error box, and the opener's steps around a modal show.
#include <QString>
#include <QVariantList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "core/bound_sql.h"
#include "core/currency.h"
#include "platform/db.h"

class QDialog;

namespace orv::lookup {

// Typed text as the statements compare it: full-width forms U+FF01..U+FF5E become ASCII,
// U+3000 a blank, and ASCII letters lower case (the database's Fold of a column).
QString FoldText(const QString &text);
// The text with '\', '%' and '_' escaped by '\', for LIKE ... ESCAPE '\'.
QString LikeEscape(const QString &text);
// "%text%", escaped.
QString ContainsPattern(const QString &text);
// The smallest text after every text that starts with prefix ("" for an empty prefix):
// prefix p is then "x >= p AND x < PrefixEnd(p)".
QString PrefixEnd(const QString &prefix);

// The sixteen name ranges: 1..13 the consonants ㄱ..ㅍ (half-open), 14 ㅎ up to 힣,
// 15 the Latin letters a..z, 16 everything up to 가. Bounds are folded texts.
struct NameRange {
  std::optional<QString> lower;  // inclusive
  QString upper;
  bool upperInclusive = false;
};
std::optional<NameRange> NameRangeOf(int number);
// Whether a name lies in range number (false outside 1..16), in the database's order.
bool InNameRange(const QString &name, int number);
// " AND <Fold(column)> >= ? AND <Fold(column)> < ? " with the bounds appended to args;
// "" for a number outside 1..16.
QString NameRangeSql(const db::Dialect &d, const QString &column, int number, QVariantList &args);

// The number as ten digits with leading zeros, read as 3, 3 and 4 digits.
struct No334 {
  int16_t n1 = 0, n2 = 0, n3 = 0;
};
No334 SplitNo334(orv::Currency number);
// Sets gcHelpNo and giHelpNo1..3 from the number.
void SetHelpNo(orv::Currency number);

// A statement with '?' marks run with bound values.
using orv::QueryBound;
using orv::ExecBound;

// "오류번호 : n" CR LF "오류내용 : text" in a critical box.
void ShowDbError(const db::DbError &e, const QString &title = {});

// The opener's side of the protocol: when giHelpOpen is not 0, giHelpRet = 0 and nothing is
// made; else giHelpOpen = 1, the dialog is made (its load runs) and shown modally. A
// database error or other exception while it loads or shows is a failed show: giHelpOpen
// and giHelpRet back to 0 (a database error is also shown). False when nothing was shown
// or the show failed.
bool OpenHelp(const std::function<std::unique_ptr<QDialog>()> &make);

}  // namespace orv::lookup
