#include "sale/pos_event.h"

#include "chit/pos_logs.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/settings_store.h"

using namespace orv;

void WritePosLogsRow(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                     const QString &text3, int32_t firstSeq) {
  const int32_t chtNo =
      int32_t(NzCur(orv::settings_store::GetSetting("goSetBFChtNo")).RoundToInt());
  WritePosLogsRow(goDbMain, chtNo, row, kind, text1, text2, text3, firstSeq);
}

void LogPosEvent(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                 const QString &text3) {
  WritePosLogsRow(row, kind, text1, text2, text3, 0);
}
