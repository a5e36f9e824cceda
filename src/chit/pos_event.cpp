#include "chit/pos_event.h"

#include <vector>

#include "chit/pos_logs.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "schema/month_tables.h"

using namespace orv;

Currency gcOldSu;
Currency gcOldDanga;
Currency gcOldGum;
QString gsPosLogText;
std::function<void(int32_t, Currency &, Currency &, Currency &)> gfnGridLineValues;

namespace {

// The connection and month whose PosLogs table is known to be there, so that the probe
// runs once a month and not once an event.
QString gKnownLogMonth;

void ensureLogTable(int16_t year, int16_t month) {
  const int16_t yymm = YyMmNum(year, month);
  const QString key = goDbMain.Text() + '|' + QString::number(yymm);
  if (key == gKnownLogMonth) return;
  // Past midnight into a new month nobody has made its tables yet.
  if (ExistsPosLogsTable(QString(), yymm, 0) == 0) CreateMonthTables(yymm);
  gKnownLogMonth = key;
}

struct Pending {
  PosLogsRec rec;
  int32_t firstSeq = 0;
};
int gBatchDepth = 0;
std::vector<Pending> gPending;

}  // namespace

void WritePosLogsRow(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                     const QString &text3, int32_t firstSeq) {
  const int32_t chtNo =
      int32_t(NzCur(orv::settings_store::GetSetting("goSetBFChtNo")).RoundToInt());
  gtPosLogs = MakePosLogsRec(chtNo, row, kind, text1, text2, text3);
  if (gBatchDepth > 0) {
    gPending.push_back({gtPosLogs, firstSeq});
    return;
  }
  ensureLogTable(gtPosLogs.PlgYear, gtPosLogs.PlgMon);
  InsertPosLogsRows(goDbMain, {gtPosLogs}, firstSeq, false);
}

PosEventBatch::PosEventBatch() { ++gBatchDepth; }

PosEventBatch::~PosEventBatch() {
  if (gBatchDepth == 1) {
    try {
      Flush();
    } catch (const db::DbError &e) {
      db::LogFailure(QStringLiteral("PosLogs: ") + e.Description);
    }
  }
  --gBatchDepth;
}

void PosEventBatch::Flush() {
  if (gBatchDepth != 1 || gPending.empty()) return;
  std::vector<Pending> rows;
  rows.swap(gPending);  // a failed write is not tried again
  for (const Pending &p : rows) ensureLogTable(p.rec.PlgYear, p.rec.PlgMon);
  // Rows of one first sequence number go together (the main window's are all 0).
  for (size_t i = 0; i < rows.size();) {
    std::vector<PosLogsRec> group;
    const int32_t firstSeq = rows[i].firstSeq;
    for (; i < rows.size() && rows[i].firstSeq == firstSeq; ++i) group.push_back(rows[i].rec);
    InsertPosLogsRows(goDbMain, group, firstSeq, false);
  }
}

void LogPosEvent(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                 const QString &text3) {
  WritePosLogsRow(row, kind, text1, text2, text3, 0);
  if (gfnGridLineValues) gfnGridLineValues(row, gcOldSu, gcOldDanga, gcOldGum);
}

namespace orv::state {
void ResetPosEvent() {
  gcOldSu = gcOldDanga = gcOldGum = {};
  gsPosLogText.clear();
  gfnGridLineValues = nullptr;
  gKnownLogMonth.clear();
  gPending.clear();
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetPosEvent);
}
