#pragma once
// The statement the customer chooser lists from, built from what the cashier typed into
// the customer box. The typed words are bound, never part of the text.
#include <QString>
#include <QVariantList>
#include <optional>

#include "platform/db.h"

namespace orv::sale {

struct CstFindSql {
  QString sql;          // without ORDER BY; the chooser appends its own
  QVariantList values;  // bound in order of the "?"
  bool isEmpty() const { return sql.isEmpty(); }
};

// `table` is CstCode or CstCodeTs. A number alone: that customer number. Leading "/":
// anywhere in barcode, phone, mobile, name or e-mail, or the number. Then "+": the number
// or anywhere in phone or mobile; "-": phone or mobile ending in it (both among customers
// whose CcdSss5 is empty or 0). The prefixes chain: "/+123" is the "+" search for 123.
// Case is ignored on both engines. nullopt when there is nothing to look for.
std::optional<CstFindSql> BuildCstFindSql(const QString &typed, const db::Dialect &dialect,
                                          const QString &table);

// The text as a LIKE pattern matching it literally, with the dialect's backslash escape.
QString LikeEscape(const QString &text);

}  // namespace orv::sale
