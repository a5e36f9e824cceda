#include "sync/go_offline.h"

#include <QFile>

#include "core/connections.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "schema/month_tables.h"

using namespace orv;

namespace {

OfflineLabelHook &lineHook() {
  static OfflineLabelHook h;
  return h;
}
OfflineLabelHook &pointHook() {
  static OfflineLabelHook h;
  return h;
}

void warningSound() {
  const QString wav = datafolder::Path("eMedal.wav");
  if (QFile::exists(wav)) PlayWav(wav);
}

bool answers(db::Connection &conn, const QString &probe) {
  if (!conn.IsOpen()) return false;
  try {
    conn.OpenRecordset(probe);
    return true;
  } catch (const db::DbError &) {
    return false;
  }
}

}  // namespace

OfflineLabelHook SetLineLabelHook(OfflineLabelHook hook) {
  return std::exchange(lineHook(), std::move(hook));
}
OfflineLabelHook SetPointLabelHook(OfflineLabelHook hook) {
  return std::exchange(pointHook(), std::move(hook));
}

void GoOffline() {
  if (giOnLine != 1) return;
  if (answers(goDbMain, QStringLiteral("Select Count(*) From ComCode"))) return;
  warningSound();
  dialogs::Info(QStringLiteral("오프라인으로 전환합니다 !"), QStringLiteral("통신오류"));
  OpenDbConnection(goDbMain, 1);
  if (lineHook()) lineHook()(QStringLiteral("오프라인"), kOfflineLineColor);
  giOnLine = 2;
  CreateMonthTables(YyMmNum(giWrkYear, giWrkMonth));
}

void GoTsOffline() {
  if (giCstTsMode != 2) return;
  if (answers(goDbTs, QStringLiteral("Select 1"))) return;
  warningSound();
  dialogs::Info(QStringLiteral("통합고객 오프라인으로 전환합니다 !"), QStringLiteral("통신오류"));
  SwitchTsOffline();
}

void SwitchTsOffline() {
  if (pointHook()) pointHook()(QStringLiteral("통합포인트오프라인"), kOfflinePointColor);
  giCstTsMode = 1;
}
