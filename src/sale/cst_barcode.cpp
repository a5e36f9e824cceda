#include "sale/cst_barcode.h"

#include "core/globals.h"
#include "core/values.h"
#include "platform/db.h"

using namespace orv;

QString GetCstBarcode(Currency cstKey) {
  db::Connection *conn = &goDbMain;
  QString table = QStringLiteral("CstCode");
  if (giCstTsMode == 1) {
    conn = &goDbPos;
    table = QStringLiteral("CstCodeTs");
  } else if (giCstTsMode == 2) {
    conn = &goDbTs;
  }
  db::Statement st = conn->Prepare("Select CcdBarcode From " + table + " Where CcdKey=?");
  if (cstKey.raw() % Currency::kScale == 0)
    st.Bind(0, qlonglong(cstKey.raw() / Currency::kScale));
  else
    st.Bind(0, cstKey.ToPlainText());
  db::Recordset rs = st.Query();
  return rs.RecordCount() > 0 ? NzStr(rs.Field("CcdBarcode")) : QString();
}
