#pragma once
// The integrated customer-point server: its settings from the shop options, and the third
// connection, goDbTs, that giCstTsMode follows (0 none, 1 configured, 2 connected).
#include <QString>
#include <cstdint>

#include "customer/ts_tables.h"  // CreateTsTables, which the screen calls after the open
#include "platform/db.h"

extern QString gsPosServerName;
extern QString gsPosServerDB;
extern QString gsPosServerID;
extern QString gsPosServerPass;
extern QString gsPosServerPort;

// Reads SupTrsNo and the five scrambled texts (GetRegText, then DecodeSetting); giCstTsMode
// becomes 1 when name, shop number (> 0), database, user and password are all there, else 0.
// A shop number outside 16 bits counts as not set.
void LoadPosServerSettings();

namespace orv::state {
void ResetPosServerSettings();
}

// The connection text: PostgreSQL on the resolved server (",port" when a port is set); the
// server name "sqlite" (any case) means an SQLite file of that database name under the data
// folder, which must exist.
QString TsConnectionText(const QString &resolvedServer);

// Replaces whatever conn held by a new connection with a 30-second connect time-out; on
// success giCstTsMode is 2. A failure (no answer, wrong login, a missing file) shows
// nothing, keeps giCstTsMode and leaves conn closed; it goes to the daily log.
void OpenTsConnection(orv::db::Connection &conn);
// Closes conn when it is open.
void CloseTsConnection(orv::db::Connection &conn);
