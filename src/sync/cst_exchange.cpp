#include "sync/cst_exchange.h"

#include "core/dates.h"
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/db.h"
#include "schema/month_tables.h"
#include "schema/tables.h"
#include "sync/basSync.h"
#include "sync/code_copy.h"
#include "sync/send_units.h"

namespace orv::sync {

using namespace money;

namespace {

QString chitTable(int16_t yymm) { return "PanChitT" + schema::MonthSuffix(yymm); }
QString listTable(int16_t yymm) { return "PanListT" + schema::MonthSuffix(yymm); }

// The point server keeps one settlement row per chit: several queued rows go as the first
// carrying the sums of all.
PanListTsRec folded(const std::vector<PanListTsRec> &lists) {
  PanListTsRec out = lists.front();
  for (std::size_t i = 1; i < lists.size(); ++i) {
    const PanListTsRec &l = lists[i];
    out.PclJaSangPum = out.PclJaSangPum + l.PclJaSangPum;
    out.PclTaSangPum = out.PclTaSangPum + l.PclTaSangPum;
    Currency PanListTsRec::*sums[] = {&PanListTsRec::PclGum01, &PanListTsRec::PclGum02,
                                      &PanListTsRec::PclGum03, &PanListTsRec::PclGum04,
                                      &PanListTsRec::PclGum05, &PanListTsRec::PclGum06,
                                      &PanListTsRec::PclGum07, &PanListTsRec::PclGum08,
                                      &PanListTsRec::PclGum09, &PanListTsRec::PclGum10};
    for (auto m : sums) out.*m = out.*m + l.*m;
  }
  return out;
}

// True when the point server holds this chit exactly as queued: a run whose queue delete
// did not land sent it already.
bool alreadyThere(int16_t yymm, const std::vector<PanListTsRec> &lists) {
  const PanChitTsRec &h = gtPanChitOn;
  const QVariantList key = {h.PctYear, h.PctMon, h.PctDay, h.PctComNo, h.PctChtNo};
  auto read = [&](const QString &table, const char *p) {
    const QString x = QLatin1String(p);
    db::Statement st = goDbTs.Prepare("Select * From " + table + " Where " + x + "Year=? And " +
                                      x + "Mon=? And " + x + "Day=? And " + x + "ComNo=? And " +
                                      x + "ChtNo=?");
    for (int i = 0; i < key.size(); ++i) st.Bind(i, key[i]);
    return st.Query();
  };
  const db::Recordset head = read(chitTable(yymm), "Pct");
  if (head.RecordCount() != 1) return false;
  PanChitTsRec there;
  ReadPanChitTsRecord(head, there);
  if (!(there == h)) return false;
  const db::Recordset list = read(listTable(yymm), "Pcl");
  if (lists.empty()) return list.RecordCount() == 0;
  if (list.RecordCount() != 1) return false;
  PanListTsRec listThere;
  ReadPanListTsRecord(list, listThere);
  return listThere == folded(lists);
}

}  // namespace

void SendPointChit(const std::vector<PanListTsRec> &lists) {
  const PanChitTsRec &h = gtPanChitOn;
  const int16_t yymm = YyMmNum(h.PctYear, h.PctMon);
  chit::WritePanChitTsRow(goDbTs, chitTable(yymm), h, true);
  if (lists.empty()) return;
  const PanListTsRec list = folded(lists);
  chit::WritePanListTsRow(goDbTs, listTable(yymm), list, true);
  if (h.PctCstKey.IsZero()) return;
  db::Statement st = goDbTs.Prepare(QLatin1String(kRaiseCstTotalsSql));
  int i = 0;
  for (Currency v : {list.PclGum01, list.PclGum02, list.PclGum01, list.PclGum02, h.PctCstKey})
    st.Bind(i++, BindCur(v));
  st.Execute();
}

void SendCstPoints(const TsMonthMaker &makeMonth, const std::function<void(int)> &progress) {
  if (progress) progress(0);
  db::Recordset queue = goDbPos.OpenRecordset(
      " Select * From PanChitOn Order By PctYear, PctMon, PctDay, PctChtNo ");
  db::Statement lists = goDbPos.Prepare(
      " Select * From PanListOn Where PclYear=? And PclMon=? And PclDay=? And PclChtNo=?"
      " And PclSel=0 Order By PclPosNo, PclPsnKey ");
  db::Statement dropChit = goDbPos.Prepare(
      " Delete From PanChitOn Where PctYear=? And PctMon=? And PctDay=? And PctChtNo=? ");
  db::Statement dropLists = goDbPos.Prepare(
      " Delete From PanListOn Where PclYear=? And PclMon=? And PclDay=? And PclChtNo=?"
      " And PclSel=0 ");
  const int n = queue.RecordCount();
  int16_t madeMonth = -1;
  for (int i = 1; i <= n; ++i) {
    queue.Move(i - 1);
    glPanChitOnCnt = 0;
    glPanListOnCnt = 0;
    if (progress) progress(i * 100 / n);
    glPanChitOnCnt = 1;
    ClearPanChitOnRecord();
    ReadPanChitOnRecord(queue);
    const PanChitTsRec h = gtPanChitOn;
    const QVariantList key = {h.PctYear, h.PctMon, h.PctDay, h.PctChtNo};
    for (int k = 0; k < key.size(); ++k) lists.Bind(k, key[k]);
    db::Recordset rs = lists.Query();
    std::vector<PanListTsRec> read;
    ClearPanListOnRecord();
    for (; !rs.Eof(); rs.MoveNext()) {
      ReadPanListOnRecord(rs);
      read.push_back(gtPanListOn);
    }
    glPanListOnCnt = int32_t(read.size());
    const int16_t yymm = YyMmNum(h.PctYear, h.PctMon);
    if (yymm != madeMonth) {
      if (makeMonth) makeMonth(yymm);
      madeMonth = yymm;
    }
    // The point server commits first: a lost queue delete leaves an equal chit there,
    // which the next run recognises, never a chit that reached nobody.
    {
      db::Transaction ts(goDbTs);
      if (!alreadyThere(yymm, read)) SendPointChit(read);
      ts.Commit();
    }
    db::Transaction pos(goDbPos);
    for (int k = 0; k < key.size(); ++k) {
      dropChit.Bind(k, key[k]);
      dropLists.Bind(k, key[k]);
    }
    dropChit.Execute();
    dropLists.Execute();
    pos.Commit();
  }
  if (progress) progress(100);
}

void ReceiveCstTables(const std::function<void(const QString &, int)> &progress) {
  const schema::TableDef *cst = schema::FindTable(QStringLiteral("CstCodeTs"));
  const schema::TableDef *reg = schema::FindTable(QStringLiteral("OrvRegistryTs"));
  const QString filter =
      giSetCstAll == 1 ? QString() : " Where CcdSss1=" + QString::number(giSupTrsNo);
  db::Transaction tx(goDbPos);
  for (const auto &[def, source, where] :
       {std::tuple{cst, QStringLiteral("CstCode"), filter},
        std::tuple{reg, QStringLiteral("OrvRegistry"), QString()}}) {
    const QString table = QLatin1String(def->name);
    if (progress) progress(table, 100);
    try {
      CopyRows(goDbTs, source, where, *def, table, def == cst);
    } catch (const db::DbError &e) {
      throw db::DbError(e.Number, table + ": " + e.Description, e.SqlState);
    }
  }
  tx.Commit();
}

}  // namespace orv::sync
