#include "customer/pos_server.h"

#include <QFileInfo>

#include "core/connections.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/scrambler.h"
#include "core/state.h"
#include "platform/datafolder.h"

QString gsPosServerName;
QString gsPosServerDB;
QString gsPosServerID;
QString gsPosServerPass;
QString gsPosServerPort;

namespace {

QString option(const char *key) { return DecodeSetting(GetRegText(QLatin1String(key))); }

constexpr int kTsConnectSeconds = 30;

}  // namespace

void LoadPosServerSettings() {
  const int32_t sup = GetRegInt("SupTrsNo");
  giSupTrsNo = (sup >= INT16_MIN && sup <= INT16_MAX) ? int16_t(sup) : 0;
  gsPosServerName = option("PosServerName");
  gsPosServerDB = option("PosServerDB");
  gsPosServerID = option("PosServerID");
  gsPosServerPass = option("PosServerPass");
  gsPosServerPort = option("PosServerPort");
  const bool complete = !gsPosServerName.isEmpty() && giSupTrsNo > 0 &&
                        !gsPosServerDB.isEmpty() && !gsPosServerID.isEmpty() &&
                        !gsPosServerPass.isEmpty();
  giCstTsMode = complete ? 1 : 0;
}

namespace orv::state {
void ResetPosServerSettings() {
  gsPosServerName.clear();
  gsPosServerDB.clear();
  gsPosServerID.clear();
  gsPosServerPass.clear();
  gsPosServerPort.clear();
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetPosServerSettings);
}

QString TsConnectionText(const QString &resolvedServer) {
  using orv::db::BuildConnectionText;
  if (resolvedServer.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0)
    return BuildConnectionText({}, QStringLiteral("SQLite"), gsPosServerID, gsPosServerPass,
                               orv::datafolder::Path(gsPosServerDB));
  const QString server =
      gsPosServerPort.isEmpty() ? resolvedServer : resolvedServer + "," + gsPosServerPort;
  return BuildConnectionText(server, QStringLiteral("PostgreSQL"), gsPosServerID,
                             gsPosServerPass, gsPosServerDB);
}

void OpenTsConnection(orv::db::Connection &conn) {
  conn.Close();
  ForgetTsMonths();
  try {
    const QString text = TsConnectionText(ResolveServerHost(gsPosServerName, 1));
    const orv::db::ConnectionText ct = orv::db::ParseConnectionText(text);
    // Ours is never made here: a missing file is a server that is not there.
    if (ct.engine() == orv::db::Engine::SQLite && !QFileInfo::exists(ct.database))
      throw orv::db::DbError(orv::db::kErrGeneric, QStringLiteral("파일이 없습니다: ") + ct.database);
    conn.Open(text, kTsConnectSeconds);
    giCstTsMode = 2;
  } catch (const orv::db::DbError &e) {
    conn.Close();
    orv::db::LogFailure(QStringLiteral("통합포인트 연결 실패: ") + e.Description);
  }
}

void CloseTsConnection(orv::db::Connection &conn) { conn.Close(); }
