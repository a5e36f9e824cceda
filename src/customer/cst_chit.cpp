#include "customer/cst_chit.h"

#include "chit/records.h"
#include "chit/ts_records.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/values.h"
#include "customer/ts_tables.h"
#include "schema/month_tables.h"
#include "sync/go_offline.h"

using namespace orv;

namespace {

int16_t g_replace = 0;  // the writers' replace argument, read by the row writers
std::function<void(const char *)> g_stepHook;

void step(const char *name) {
  if (g_stepHook) g_stepHook(name);
}

void writeQueue(const QString &chitTable, const QString &listTable) {
  db::Transaction tx(goDbPos);
  chit::WritePanChitTsRow(goDbPos, chitTable, gtPanChitTs, g_replace == 1);
  chit::WritePanListTsRow(goDbPos, listTable, gtPanListTs, g_replace == 1);
  tx.Commit();
}

// The chit's month rows and the customer's totals on the point server. The totals are set,
// not added: they are what the sale computed from the customer row it read (last writer
// wins between shops).
void writeToTs() {
  const int16_t yymm = int16_t(YyMmNum(giWrkYear, giWrkMonth));
  EnsureTsMonth(yymm);
  const QString suffix = schema::MonthSuffix(yymm);
  db::Transaction tx(goDbTs);
  chit::WritePanChitTsRow(goDbTs, "PanChitT" + suffix, gtPanChitTs, g_replace == 1);
  chit::WritePanListTsRow(goDbTs, "PanListT" + suffix, gtPanListTs, g_replace == 1);
  const CstCodeRec &c = gtCstCodeTs;
  QVariantList values{c.CcdLpdate};
  for (Currency v : {c.CcdTcnt, c.CcdTzerdo, c.CcdTjumsu, c.CcdCnt, c.CcdZerdo, c.CcdJumsu,
                     c.CcdKey})
    values << BindCur(v);
  goDbTs.ExecuteKept(
      " Update CstCode Set CcdLpDate=?, CcdTcnt=?, CcdTzerdo=?, CcdTjumsu=?, CcdCnt=?,"
      " CcdZerdo=?, CcdJumsu=? Where CcdKey=? ",
      values);
  step("ts-commit");
  tx.Commit();
}

}  // namespace

void SetCstChitStepHook(std::function<void(const char *step)> hook) { g_stepHook = std::move(hook); }

void WriteCstChitOn(int16_t replace) {
  g_replace = replace;
  writeQueue("PanChitOn", "PanListOn");
}

void WriteCstChitOff(int16_t replace) {
  g_replace = replace;
  writeQueue("PanChitOff", "PanListOff");
}

void WriteCstChitTs(int16_t replace) {
  // The sale was committed just before; up to this queue row no step touches the network,
  // so a point server that hangs or fails cannot cost the member's chit.
  WriteCstChitOn(replace);
  step("queued");
  GoTsOffline();
  if (giCstTsMode != 2) return;
  try {
    writeToTs();
    step("ts-committed");
  } catch (const db::DbError &) {
    SwitchTsOffline();
    throw;
  }
  try {
    db::Transaction tx(goDbPos);
    chit::DeletePanChitTsRows(goDbPos, "PanChitOn", "PanListOn", gtPanChitTs);
    tx.Commit();
    step("dequeued");
  } catch (const db::DbError &e) {
    db::LogFailure(QStringLiteral("통합고객 대기전표 삭제 실패 ") +
                   QString::number(gtPanChitTs.PctChtNo) + " : " + e.Description);
  }
}

void WriteCstChit(int16_t replace) {
  if (gtCstCode.CcdKey.IsZero()) return;
  if (giOnLine != 1) {
    if (giCstTsMode != 0) WriteCstChitOff(replace);
    GoTsOffline();
  } else if (giCstTsMode == 2) {
    WriteCstChitTs(replace);
  } else {
    GoTsOffline();
    if (giCstTsMode == 1) WriteCstChitOn(replace);
  }
}
