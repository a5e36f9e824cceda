#include "lookup/name_readers.h"

#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/values.h"
#include "lookup/lookup_common.h"

using orv::Currency;

namespace {

Currency seek(orv::db::Connection &conn, const QString &sql, Currency key) {
  gsCdName.clear();
  auto rs = orv::lookup::QueryBound(conn, sql, {key.ToPlainText()});
  if (rs.RecordCount() == 0) return {};
  gsCdName = NzStr(rs.Field(2));
  gcHelpTrsKey = NzCur(rs.Field(3));
  return NzCur(rs.Field(1));
}

}  // namespace

Currency SeekCstCodeTs(Currency key) {
  return seek(goDbPos,
                    "SELECT CcdKey, CcdNo, CcdName, CcdTrsKey FROM CstCodeTs WHERE CcdKey = ?",
                    key);
}

Currency SeekCstOnTsServer(Currency key) {
  return seek(goDbTs,
                    "SELECT CcdKey, CcdNo, CcdName, CcdTrsKey FROM CstCode WHERE CcdKey = ?", key);
}
