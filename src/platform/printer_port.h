#pragma once
// The receipt printer's devices: where the bytes of a print job physically go.
//
//   a device file    "/dev/usb/lp0", "/dev/lp0" (also a FIFO or a plain file): opened
//                    without blocking and written with a time-out, so a printer out of
//                    paper fails the job instead of freezing the till
//   a network printer "tcp:host[:port]" (raw, 9100 when no port is given)
//   a serial port    9600 baud, no parity, 8 data bits, 1 stop bit
//   a stand-in file  appended to (what the checkout uses when no printer is named)
//
// Every failure (open, write, flush, close, time-out) throws PortError with a readable
// text that names the device. Tests swap in a capture sink that records what a device
// would get.
#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

namespace orv::printer_port {

class PortError : public std::runtime_error {
 public:
  explicit PortError(const QString &text);
  QString Text() const { return QString::fromUtf8(what()); }
};

enum class Kind { DeviceFile, Tcp, Serial, StandInFile };

// How long a device may take to accept a job (5 s in the program).
int TimeoutMs();
void SetTimeoutMs(int ms);

// Receives what a device would get; it may throw PortError to act as a failing device.
// An empty sink puts the real devices back.
using Sink = std::function<void(Kind kind, const QString &device, const QByteArray &bytes)>;
void SetCaptureSink(Sink sink);
bool HasCaptureSink();

// "tcp:host[:port]" taken apart; false when it is not of that form or the port is not
// 1 to 65535.
bool ParseTcp(const QString &device, QString *host, quint16 *port);

// A device file or "tcp:…" (by its form).
void WriteDevice(const QString &device, const QByteArray &bytes);
void WriteTcp(const QString &device, const QByteArray &bytes);
// 9600 8N1 set explicitly; an empty job does not touch the port.
void WriteSerial(const QString &device, const QByteArray &bytes);
// Opens and closes the serial port once at 9600 8N1 (the login's printer check).
void CheckSerial(const QString &device);
// Appended to; the folder must exist.
void AppendStandInFile(const QString &path, const QByteArray &bytes);

}  // namespace orv::printer_port
