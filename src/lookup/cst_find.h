#pragma once
// The customer searches typed into the customer boxes of the sale screen and the two point
// screens, handed to the customer chooser (frmCust). The typed words are bound, never part
// of the text; LIKE's own characters match as typed.
#include <QString>
#include <QVariantList>
#include <optional>

#include "platform/db.h"

namespace orv::lookup {

struct CstFindSql {
  QString sql;          // without ORDER BY; the chooser appends its own
  QVariantList values;  // bound in order of the "?"
  bool isEmpty() const { return sql.isEmpty(); }
};

// The three screens search alike but not the same:
// - Sale: a number alone is that customer number; "/" anywhere in barcode, phone, mobile,
//   name or e-mail, or the number; then "+" the number or anywhere in phone or mobile, "-"
//   phone or mobile ending in it, both among customers whose CcdSss5 is empty or 0. The
//   prefixes chain ("/+123" is the "+" search for 123).
// - CstEdit (customer change): no prefix is number or barcode; "/", "+", "-" chain as for the
//   sale, without the CcdSss5 condition.
// - CstPadd (receipt points): "/" as above; "+" and "-" alike: the number, or phone or
//   mobile ending in it; no chaining. Text without a prefix is no search (nullopt).
enum class CstFindVariant { Sale, CstEdit, CstPadd };

// `table` is CstCode or CstCodeTs. Case is ignored on both engines (a pattern without
// letters compares plainly, which an engine does faster). nullopt when there is nothing to
// look for.
std::optional<CstFindSql> BuildCstFindSql(const QString &typed, const db::Dialect &dialect,
                                          const QString &table,
                                          CstFindVariant variant = CstFindVariant::Sale);

}  // namespace orv::lookup
