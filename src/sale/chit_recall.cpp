#include "sale/chit_recall.h"

#include "chit/chit_numbers.h"
#include "chit/records.h"
#include "core/values.h"

using orv::db::Recordset;
using orv::db::SqlText;

namespace orv::sale {

QString CardChitsSql(const QString &yymm, const QString &date, const QString &cmitNo) {
  return "Select * From PanChit" + yymm + " Where " + chit::DateWhere("Pct", date) +
         " And PctCmitNo=" + SqlText(cmitNo) + " And PctHab>0 Order By PctDate, PctChtNo";
}

QString CardChitPickedSql(const QString &yymm, const QString &date, int32_t chtNo,
                          const QString &cmitNo) {
  return "Select * From PanChit" + yymm + " Where " + chit::DateWhere("Pct", date) +
         " And PctChtNo=" + QString::number(chtNo) + " And PctCmitNo=" + SqlText(cmitNo) +
         " And PctHab>0";
}

QString ChitByNumberSql(const QString &table, const QString &date, int32_t chtNo) {
  return "Select * From " + table + " Where " + chit::DateWhere("Pct", date) +
         " And PctChtNo=" + QString::number(chtNo);
}

int ReadChitLines(db::Connection &conn, const QString &table, const QString &date,
                  int32_t chtNo) {
  // Without an order the lines come back in whatever order the engine likes.
  Recordset rs = conn.OpenRecordset("Select * From " + table + " Where " +
                                    chit::DateWhere("Pcg", date) +
                                    " And PcgChtNo=" + QString::number(chtNo) +
                                    " Order By PcgSeqNo");
  int n = 0;
  for (; !rs.Eof() && n < kMaxChitLines; rs.MoveNext()) ReadPanGodsRecord(rs, ++n);
  return n;
}

GoodsByKey::GoodsByKey(db::Connection &conn)
    : st_(conn.Prepare(QStringLiteral("Select * From GdsCode Where GcdKey=?"))) {}

bool GoodsByKey::Load(Currency key) {
  ClearGdsRecord();
  st_.Bind(0, QVariant::fromValue<qlonglong>(key.RoundToInt()));
  Recordset rs = st_.Query();
  if (rs.RecordCount() == 0) return false;
  ReadGdsRecord(rs);
  return true;
}

std::optional<Currency> TraderNoByKey(db::Connection &conn, Currency key) {
  Recordset rs = conn.OpenRecordset("Select TcdNo From TrsCode Where TcdKey=" +
                                    QString::number(key.RoundToInt()));
  if (rs.RecordCount() == 0) return std::nullopt;
  return NzCur(rs.Field("TcdNo"));
}

std::optional<QString> CustomerBarcodeByKey(db::Connection &conn, Currency key) {
  Recordset rs = conn.OpenRecordset("Select CcdBarcode From CstCode Where CcdKey=" +
                                    QString::number(key.RoundToInt()));
  if (rs.RecordCount() == 0) return std::nullopt;
  return NzStr(rs.Field("CcdBarcode")).trimmed();
}

bool DeleteStoredEtcChit(db::Connection &conn, EtcKind kind, const QString &wrtDate,
                         const QString &wrtTime, Currency hab, int32_t chtNo) {
  const bool held = kind == EtcKind::Held;
  const QString p = held ? "Wct" : "Bct";
  const QString chitTable = held ? "WatChitT" : "BdlChit";
  QString sql = "Select " + p + "Date, " + p + "ChtNo From " + chitTable + " Where " + p +
                "WrtDate=" + SqlText(wrtDate) + " And " + p + "WrtTime=" + SqlText(wrtTime) +
                " And " + p + "Hab=" + hab.ToPlainText();
  if (!held) sql += " And BctChtNo=" + QString::number(chtNo);
  Recordset rs = conn.OpenRecordset(sql);
  if (rs.RecordCount() == 0) return false;
  const QString date = SqlText(NzStr(rs.Field(0)));
  const QString no = NzCur(rs.Field(1)).ToPlainText();
  if (held) {
    conn.Execute("Delete From WatChitT Where WctDate=" + date + " And WctChtNo=" + no);
    conn.Execute("Delete From WatGodsT Where WcgDate=" + date + " And WcgChtNo=" + no);
    conn.Execute("Delete From WatGodsTSpeed Where WcgSDate=" + date + " And WcgSChtNo=" + no);
  } else {
    conn.Execute("Delete From BdlChit Where BctDate=" + date + " And BctChtNo=" + no);
    conn.Execute("Delete From BdlGods Where BcgDate=" + date + " And BcgChtNo=" + no);
    conn.Execute("Delete From BdlGodsSpeed Where BcgSDate=" + date + " And BcgSChtNo=" + no);
  }
  return true;
}

}  // namespace orv::sale
