#include "chit/name_readers.h"

#include "core/globals.h"
#include "core/values.h"

using orv::Currency;

namespace {

Currency readNoName(orv::db::Connection &conn, const QString &sql, Currency key) {
  gsCdName.clear();
  orv::db::Statement st = conn.Prepare(sql);
  st.Bind(0, BindCur(key));
  const orv::db::Recordset rs = st.Query();
  if (rs.RecordCount() == 0) return {};
  gsCdName = NzStr(rs.Field(1));
  return NzCur(rs.Field(0));
}

void updateBank(orv::db::Connection &conn, Currency key, const QString &text) {
  orv::db::Statement st = conn.Prepare(" Update  CstCode Set CcdBank=? Where CcdKey=? ");
  st.Bind(0, text);
  st.Bind(1, BindCur(key));
  st.Execute();
}

}  // namespace

Currency ReadPsnNoName(Currency key) {
  return readNoName(goDbMain, "Select PcdNo, PcdName From PsnCode Where PcdKey=?", key);
}

Currency ReadTrsNoName(Currency key) {
  return readNoName(goDbMain, "Select TcdNo, TcdName From TrsCode Where TcdKey=?", key);
}

void UpdateCstBank(Currency key, const QString &text) { updateBank(goDbMain, key, text); }
void UpdateCstBankTs(Currency key, const QString &text) { updateBank(goDbTs, key, text); }
