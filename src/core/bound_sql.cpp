#include "core/bound_sql.h"

#include "core/globals.h"

namespace orv {

db::Recordset QueryBound(db::Connection &conn, const QString &sql, const QVariantList &args) {
  gsSql = sql;
  db::Statement st = conn.Prepare(sql);
  for (int i = 0; i < args.size(); ++i) st.Bind(i, args[i]);
  return st.Query();
}

long long ExecBound(db::Connection &conn, const QString &sql, const QVariantList &args) {
  gsSql = sql;
  db::Statement st = conn.Prepare(sql);
  for (int i = 0; i < args.size(); ++i) st.Bind(i, args[i]);
  return st.Execute();
}

}  // namespace orv
