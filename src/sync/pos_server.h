#pragma once
// The integrated customer-point server: its settings from the shop options, and the
// switch to the local customer copy when it stops answering.
#include <QString>
#include <cstdint>

#include "platform/db.h"

extern int16_t giSupTrsNo;  // the shop's number on the point server
extern QString gsPosServerName;
extern QString gsPosServerDB;
extern QString gsPosServerID;
extern QString gsPosServerPass;
extern QString gsPosServerPort;

// Reads the point-server options; giCstTsMode becomes 1 when they are complete, else 0.
void LoadPosServerSettings();

namespace orv::state {
void ResetPosServerSettings();
}

// The point-server connection and its downloads come with the customer work; until then
// the server is never reached (giCstTsMode stays 1) and nothing is sent or received.
void OpenTsConnection(orv::db::Connection &conn);
void CloseTsConnection(orv::db::Connection &conn);
void CreateTsTables(int16_t yymm);
void ShowMsgRecvCst();
void ShowMsgSendCst();
