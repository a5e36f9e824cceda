#pragma once
// What the payment screen calls of the point server before that subsystem is here: each
// call is remembered (tests read it) and does nothing else.
#include <QString>
#include <QStringList>

namespace orv::checkout {

// The member's chit for the point server (replace 1: its earlier rows first).
void WriteCstChitTs(int16_t replace);
void WriteCstChitOn(int16_t replace);
void WriteCstChitOff(int16_t replace);

// "WriteCstChitTs:0", "WriteCstChitOn:1", in order.
QStringList LaterPartCalls();
void ClearLaterPartCalls();

}  // namespace orv::checkout
