#pragma once
// What the payment screen calls of the customer display and the point server before those
// subsystems are here: each call is remembered (tests read it) and does nothing else.
#include <QString>
#include <QStringList>

namespace orv::serial {
class Port;
}

namespace orv::checkout {

// The pole display: the total, and the received amount with the change.
void DispTotal(orv::serial::Port *port, const QString &total);
void DispChange(orv::serial::Port *port, const QString &received, const QString &change,
                const QString &total);
// The member's chit for the point server (replace 1: its earlier rows first).
void WriteCstChitTs(int16_t replace);
void WriteCstChitOn(int16_t replace);
void WriteCstChitOff(int16_t replace);

// "DispTotal:12,000", "DispChange:20,000/8,000/12,000", "WriteCstChitOn:0", in order.
QStringList LaterPartCalls();
void ClearLaterPartCalls();

}  // namespace orv::checkout
