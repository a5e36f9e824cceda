#include "sale/cst_barcode.h"

#include "chit/records.h"
#include "core/globals.h"
#include "core/values.h"
#include "platform/db.h"

using namespace orv;

QString GetCstBarcode(Currency cstKey) {
  QString table;
  db::Connection *conn = CstConnection(&table);
  if (!conn) return {};
  db::Statement st = conn->Prepare("Select CcdBarcode From " + table + " Where CcdKey=?");
  st.Bind(0, BindCur(cstKey));
  db::Recordset rs = st.Query();
  return rs.RecordCount() > 0 ? NzStr(rs.Field("CcdBarcode")) : QString();
}
