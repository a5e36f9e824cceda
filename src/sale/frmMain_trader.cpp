// The trade partner's own prices and receivable on the sale screen.
#include <QDateEdit>
#include <QLabel>

#include "core/dates.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "sale/frmMain.h"
#include "sale/sale_globals.h"

using namespace orv;

void frmMain::WriteTrsPris(Currency gdsKey, Currency price) {
  try {
    db::Statement look = goDbMain.Prepare(
        QStringLiteral("Select TpsMech1 From TrsPris Where TpsTrsKey=? And TpsGdsKey=?"));
    look.Bind(0, BindCur(gcTcdKey));
    look.Bind(1, BindCur(gdsKey));
    const bool exists = look.Query().RecordCount() > 0;
    db::Transaction tx(goDbMain);
    if (!exists) {
      const QDateTime now = clock::Now();
      db::Statement ins = goDbMain.Prepare(QStringLiteral(
          "Insert into TrsPris(TpsTrsKey,TpsGdsKey,TpsMech1,TpsWrtdate,TpsWrttime) Values(?,?,?,?,?)"));
      ins.Bind(0, BindCur(gcTcdKey));
      ins.Bind(1, BindCur(gdsKey));
      ins.Bind(2, price.ToPlainText());
      ins.Bind(3, now.toString(QStringLiteral("yyyyMMdd")));
      ins.Bind(4, now.toString(QStringLiteral("HHmmss")));
      ins.Execute();
    } else {
      // The first write's date and time stay.
      db::Statement upd = goDbMain.Prepare(
          QStringLiteral("Update TrsPris Set TpsMech1=? Where TpsTrsKey=? And TpsGdsKey=?"));
      upd.Bind(0, price.ToPlainText());
      upd.Bind(1, BindCur(gcTcdKey));
      upd.Bind(2, BindCur(gdsKey));
      upd.Execute();
    }
    tx.Commit();
  } catch (const db::DbError &e) {
    dialogs::MsgBox(QStringLiteral("[WriteTrsPris:") + QString::number(e.Number).trimmed() + ":" +
                    e.Description + "]");
  }
}

void frmMain::ReadTrsMisu() {
  const QDate d = dtpWrkDate->date();
  const int16_t y = int16_t(d.year()), m = int16_t(d.month());
  const QString month = FmtYmd(y, m, int16_t(d.day()), 0, 0).left(6);
  const QString suffix = FmtYyMm(y, m);
  const QVariant key = BindCur(gcTcdKey);

  Currency ledger;
  db::Statement st = goDbMain.Prepare(
      " Select B.TcdKey, B.TcdName, Sum(A.TmsMiMiji) As TmsMiMiji, Sum(A.TmsMcMisu) As TmsMcMisu,"
      " Sum(A.TmsMcSugum) As TmsMcSugum"
      " From TrsMast" + suffix + " A, TrsCode B"
      " Where B.TcdKey=? And B.TcdKey=A.TmsTrsKey And substr(A.TmsDate,1,6)=?"
      " Group by B.TcdKey, B.TcdName");
  st.Bind(0, key);
  st.Bind(1, month);
  db::Recordset rs = st.Query();
  if (rs.RecordCount() > 0) {
    rs.MoveFirst();
    ledger = Currency::Sub(NzCur(rs.Field("TmsMcMisu")), NzCur(rs.Field("TmsMiMiji"))).value_or(ledger);
  }
  rs.Close();

  Currency credit, collected;
  const QString part = " PctTrsKey,Sum(PctOiSang) As PctOiSang,Sum(PctRGum) As PctRGum From PanChit" +
                       suffix + " Where PctTrsKey=? And PctJunsong=1";
  st = goDbMain.Prepare(" Select 0 As ORD," + part + " Group by PctTrsKey Union All Select 2 As ORD," +
                        part + " And PctSss2=9 Group by PctTrsKey");
  st.Bind(0, key);
  st.Bind(1, key);
  rs = st.Query();
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    const int ord = int(NzCur(rs.Field("ORD")).RoundToInt());
    if (ord == 0)
      credit = Currency::Add(credit, NzCur(rs.Field("PctOiSang"))).value_or(credit);
    else if (ord == 2)
      collected = NzCur(rs.Field("PctRGum"));
  }
  rs.Close();
  const Currency balance =
      Currency::Sub(Currency::Add(ledger, credit).value_or(ledger), collected).value_or(Currency{});
  lblTrsMisu->setText(FmtAmt(balance, 0));
}
