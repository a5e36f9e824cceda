#pragma once
// The print buffer of the receipt printer, its codes, and the port a job goes to.
//
// gsSetPrnPort keeps the settings screen's names ("LPT1", "LPT2", "COM1"…); where such a
// name physically goes is the terminal setting gsSetPrnDevice:
//   LPTn  a device file ("/dev/usb/lp0"), or "tcp:host[:port]" for a network printer;
//         empty: the file "LPTn.prn" in the data folder, appended to
//   COMn  the serial device to use; empty: ORVPOS_COMn when set, else /dev/ttyS<n-1>
#include <QByteArray>
#include <QString>
#include <cstdint>

extern QByteArray gsPrnBuf;     // the job being built, CP949 bytes
extern QByteArray gsPrnCrLf;    // line end
extern QByteArray gsPrnWide;    // double width on
extern QByteArray gsPrnNormal;  // normal width
extern QString gsSetPrnDevice;  // see above; read from the settings store by InitPrnCodes

inline constexpr char kPrnDeviceKey[] = "gsSetPrnDevice";

// Sets the codes and reads gsSetPrnDevice.
void InitPrnCodes();
void PrnClear();
// The text in CP949, then the line end unless noNewLine is non-zero.
void PrnAddLine(const QString &text, int16_t noNewLine = 0);
// Bytes as they are (printer codes), then the line end unless noNewLine is non-zero.
void PrnAddBytes(const QByteArray &bytes, int16_t noNewLine = 0);
void PrnFeedCut();
// Sends the buffer; it keeps its bytes until the next PrnClear.
void PrnFlush();

// By the port's first three letters: LPT or COM; any other port sends nothing. Failures
// throw orv::printer_port::PortError naming the port; nothing of the job is kept back.
void PrnSend(const QByteArray &bytes);
// The job, then CR LF.
void PrnSendLpt(const QByteArray &bytes);
// The job unchanged; an empty job does not touch the port.
void PrnSendCom(const QByteArray &bytes);
// The serial port number of a COM setting ("COM10" 10; "COM", "COMx" 0).
int ComPortNumber(const QString &port);
// The serial device of the COM setting; throws PortError for port number 0.
QString ComPrinterDevice();
// The login's check of a serial printer: opens and closes the port once at 9600 8N1.
void CheckComPrinter();

// ESC p 0 64 80, at once and outside the buffer: opens the drawer behind the printer.
void OpenCashDrawer();

namespace orv::state {
void ResetPrinterState();
}
