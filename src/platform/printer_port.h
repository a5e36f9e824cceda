#pragma once
// The receipt printer's port: bytes to a device path, a serial port, a network printer
// or a file. Port names as the terminal settings hold them:
//   "LPTn"          the file "LPTn.prn" in the data folder (no parallel ports here)
//   "COMn"          the serial port /dev/ttySn-1 (or ORVPOS_COMn when set), 9600 8N1
//   "tcp:host:port" a network printer (raw, usually port 9100)
//   "/path"         a device or file, appended to
#include <QByteArray>
#include <QString>

namespace orv::printer_port {

// Throws std::runtime_error with a readable message when the port cannot take the bytes.
void Write(const QString &port, const QByteArray &bytes);
// Where a port name sends its bytes (for messages and tests).
QString Target(const QString &port);

}  // namespace orv::printer_port
