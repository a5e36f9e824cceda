#include "sync/pos_server.h"

#include "core/globals.h"
#include "core/options.h"
#include "core/state.h"

int16_t giSupTrsNo = 0;
QString gsPosServerName;
QString gsPosServerDB;
QString gsPosServerID;
QString gsPosServerPass;
QString gsPosServerPort;

void LoadPosServerSettings() {
  const int32_t sup = GetRegInt("SupTrsNo");
  giSupTrsNo = (sup >= INT16_MIN && sup <= INT16_MAX) ? int16_t(sup) : 0;
  gsPosServerName = GetRegChar("PosServerName");
  gsPosServerDB = GetRegChar("PosServerDB");
  gsPosServerID = GetRegChar("PosServerID");
  gsPosServerPass = GetRegChar("PosServerPass");
  gsPosServerPort = GetRegChar("PosServerPort");
  const bool complete = !gsPosServerName.isEmpty() && giSupTrsNo > 0 &&
                        !gsPosServerDB.isEmpty() && !gsPosServerID.isEmpty() &&
                        !gsPosServerPass.isEmpty();
  giCstTsMode = complete ? 1 : 0;
}

namespace orv::state {
void ResetPosServerSettings() {
  giSupTrsNo = 0;
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

void OpenTsConnection(orv::db::Connection &) {}
void CloseTsConnection(orv::db::Connection &conn) { conn.Close(); }
void CreateTsTables(int16_t) {}
void ShowMsgRecvCst() {}
void ShowMsgSendCst() {}
