#include "sync/go_offline.h"

#include <QFile>

#include "core/application.h"
#include "core/connections.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/state.h"
#include "core/values.h"
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

int &probeLimitMs() {
  static int ms = kProbeLimitMs;
  return ms;
}

void resetProbeLimit() { probeLimitMs() = kProbeLimitMs; }
const bool kResetRegistered = orv::state::RegisterReset(&resetProbeLimit);

// The probe's statement gets the short limit alone; inside an open transaction it runs
// under a savepoint, so a probe that fails spoils nothing the caller holds.
Currency probe(db::Connection &conn, const QString &sql) {
  if (!conn.IsOpen()) return Currency::Won(-1);
  const int before = conn.StatementLimit();
  Currency count = Currency::Won(-1);
  try {
    conn.SetStatementLimit(probeLimitMs());
    const auto failed = conn.TryBatch([&] {
      count = NzCur(conn.OpenRecordset(sql).Field(0));
    });
    if (failed) count = Currency::Won(-1);
  } catch (const db::DbError &) {
    count = Currency::Won(-1);
  }
  if (conn.IsOpen()) conn.SetStatementLimit(before);
  return count;
}

}  // namespace

Currency ProbeMainDb() { return probe(goDbMain, QStringLiteral("Select Count(*) From ComCode")); }
// The point server is shared by many shops and holds their customers and month tables,
// not this shop's codes: any answer counts. It comes before every member chit it stores,
// so it is one round trip.
Currency ProbeTsDb() {
  return goDbTs.IsOpen() && goDbTs.Answers(probeLimitMs()) ? Currency::Won(1) : Currency::Won(-1);
}

int SetProbeLimitMs(int ms) { return std::exchange(probeLimitMs(), ms); }

OfflineLabelHook SetLineLabelHook(OfflineLabelHook hook) {
  return std::exchange(lineHook(), std::move(hook));
}
OfflineLabelHook SetPointLabelHook(OfflineLabelHook hook) {
  return std::exchange(pointHook(), std::move(hook));
}

void GoOffline() {
  if (giOnLine != 1) return;
  if (ProbeMainDb() != Currency::Won(-1)) return;
  warningSound();
  dialogs::Info(QStringLiteral("오프라인으로 전환합니다 !"), QStringLiteral("통신오류"));
  if (OpenDbConnection(goDbMain, 1) != 0) {
    // Neither database: no sale could be kept. After the box the program ends, leaving
    // the handler that asked through its guards.
    db::LogFailure(QStringLiteral("POS 데이터베이스를 열 수 없어 프로그램을 끝냅니다"));
    EndProgramNow(1);
  }
  if (lineHook()) lineHook()(QStringLiteral("오프라인"), kOfflineLineColor);
  giOnLine = 2;
  CreateMonthTables(YyMmNum(giWrkYear, giWrkMonth));
}

void GoTsOffline() {
  if (giCstTsMode != 2) return;
  if (ProbeTsDb() != Currency::Won(-1)) return;
  warningSound();
  dialogs::Info(QStringLiteral("통합고객 오프라인으로 전환합니다 !"), QStringLiteral("통신오류"));
  SwitchTsOffline();
}

void SwitchTsOffline() {
  if (pointHook()) pointHook()(QStringLiteral("통합포인트오프라인"), kOfflinePointColor);
  giCstTsMode = 1;
}
