#pragma once
// Statements with '?' marks run with bound values (the text is left in gsSql).
#include <QString>
#include <QVariantList>

#include "platform/db.h"

namespace orv {
db::Recordset QueryBound(db::Connection &conn, const QString &sql, const QVariantList &args);
long long ExecBound(db::Connection &conn, const QString &sql, const QVariantList &args);
}  // namespace orv
