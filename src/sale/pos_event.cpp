#include "sale/pos_event.h"

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

void ensureTodaysLogTable() {
  const QDate today = clock::Now().date();
  const int16_t yymm = YyMmNum(int16_t(today.year()), int16_t(today.month()));
  const QString key = goDbMain.Text() + '|' + QString::number(yymm);
  if (key == gKnownLogMonth) return;
  // Past midnight into a new month nobody has made its tables yet.
  if (ExistsPosLogsTable(QString(), yymm, 0) == 0) CreateMonthTables(yymm);
  gKnownLogMonth = key;
}

}  // namespace

void WritePosLogsRow(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                     const QString &text3, int32_t firstSeq) {
  const int32_t chtNo =
      int32_t(NzCur(orv::settings_store::GetSetting("goSetBFChtNo")).RoundToInt());
  ensureTodaysLogTable();
  WritePosLogsRow(goDbMain, chtNo, row, kind, text1, text2, text3, firstSeq);
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
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetPosEvent);
}
