#include "lookup/name_readers.h"

#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/values.h"
#include "lookup/lookup_common.h"

using orv::Currency;

namespace {

Currency readNoName(orv::db::Connection &conn, const QString &sql, Currency key, bool customer) {
  gsCdName.clear();
  auto rs = orv::lookup::QueryBound(conn, sql, {key.ToPlainText()});
  if (rs.RecordCount() == 0) return {};
  gsCdName = NzStr(rs.Field(2));
  if (customer) gcHelpTrsKey = NzCur(rs.Field(3));
  return NzCur(rs.Field(1));
}

}  // namespace

Currency ReadPsnNoName(Currency key) {
  return readNoName(goDbMain, "SELECT PcdKey, PcdNo, PcdName FROM PsnCode WHERE PcdKey = ?", key,
                    false);
}

Currency ReadTrsNoName(Currency key) {
  return readNoName(goDbMain, "SELECT TcdKey, TcdNo, TcdName FROM TrsCode WHERE TcdKey = ?", key,
                    false);
}

Currency SeekCstCodeTs(Currency key) {
  return readNoName(goDbPos,
                    "SELECT CcdKey, CcdNo, CcdName, CcdTrsKey FROM CstCodeTs WHERE CcdKey = ?",
                    key, true);
}

Currency SeekCstOnTsServer(Currency key) {
  return readNoName(goDbTs,
                    "SELECT CcdKey, CcdNo, CcdName, CcdTrsKey FROM CstCode WHERE CcdKey = ?", key,
                    true);
}
