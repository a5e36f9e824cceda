#include "sale/key_rows.h"

#include "core/byte_text.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/db.h"
#include "schema/tables.h"

using namespace orv;

QString PosVersionKey() {
  return QStringLiteral("gsSetPosVersion") + (giSetPosNo != 0 ? QString::number(giSetPosNo) : QString());
}

void PutOrvKoreaRow(const QString &key, const QString &value, int) {
  try {
    // The shop's main database may predate the table.
    if (!schema::ExistsTable(goDbMain, QStringLiteral("OrvKorea")))
      schema::CreateTable(goDbMain, QStringLiteral("OrvKorea"));
    db::Transaction tx(goDbMain);
    db::Statement look = goDbMain.Prepare(QStringLiteral("Select * from OrvKorea Where regKey=?"));
    look.Bind(0, key);
    db::Recordset rs = look.Query();
    const QString k = key.trimmed();
    const QString v = LeftByte(value.trimmed(), 50);
    db::Statement st;
    if (rs.RecordCount() > 0) {
      rs.MoveFirst();
      gsSql = QStringLiteral(
          "Update OrvKorea Set regInt=?, regChar=?, regText=?, regSss1=?, regSss2=?, regSss3=?,"
          " regSss4=?, regSss5=? Where regKey=?");
      st = goDbMain.Prepare(gsSql);
      st.Bind(0, qlonglong(NzCur(rs.Field("regInt")).RoundToInt()));
      st.Bind(1, v);
      st.Bind(2, NzStr(rs.Field("regText")));
      for (int i = 1; i <= 5; ++i)
        st.Bind(2 + i, qlonglong(NzCur(rs.Field(QStringLiteral("regSss%1").arg(i))).RoundToInt()));
      st.Bind(8, k);
    } else {
      gsSql = QStringLiteral(
          "Insert into OrvKorea(regKey, regInt, regChar, regText, regSss1, regSss2, regSss3,"
          " regSss4, regSss5) Values(?, 0, ?, '', 0, 0, 0, 0, 0)");
      st = goDbMain.Prepare(gsSql);
      st.Bind(0, k);
      st.Bind(1, v);
    }
    rs.Close();
    st.Execute();
    tx.Commit();
  } catch (const db::DbError &) {
    // Passed over: the transaction guard has rolled back.
  }
}
