#include "print/basPrinter.h"

#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/printer_port.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"

namespace pp = orv::printer_port;

QByteArray gsPrnBuf;
QByteArray gsPrnCrLf = "\r\n";
QByteArray gsPrnWide = QByteArray("\x1b!") + char(32);
QByteArray gsPrnNormal = QByteArray("\x1b!") + char(0);
QString gsSetPrnDevice;

namespace {
QString asciiUpper(const QString &s) {
  QString out = s;
  for (QChar &c : out)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
  return out;
}

// The port setting in front of a device's own text, so the cashier sees which port failed.
[[noreturn]] void rethrowForPort(const pp::PortError &e) {
  throw pp::PortError(gsSetPrnPort + ": " + e.Text());
}
}  // namespace

void InitPrnCodes() {
  gsPrnCrLf = "\r\n";
  gsPrnWide = QByteArray("\x1b!") + char(32);
  gsPrnNormal = QByteArray("\x1b!") + char(0);
  gsSetPrnDevice = orv::settings_store::GetSetting(QString::fromLatin1(kPrnDeviceKey)).trimmed();
}

void PrnClear() { gsPrnBuf.clear(); }

void PrnAddLine(const QString &text, int16_t noNewLine) {
  gsPrnBuf += orv::codepage::Encode(text);
  if (noNewLine == 0) gsPrnBuf += gsPrnCrLf;
}

void PrnAddBytes(const QByteArray &bytes, int16_t noNewLine) {
  gsPrnBuf += bytes;
  if (noNewLine == 0) gsPrnBuf += gsPrnCrLf;
}

void PrnFeedCut() {
  for (int i = 0; i < 5; ++i) gsPrnBuf += gsPrnCrLf;
  gsPrnBuf += "\x1bi";
}

void PrnFlush() { PrnSend(gsPrnBuf); }

void PrnSend(const QByteArray &bytes) {
  const QString prefix = asciiUpper(gsSetPrnPort.left(3));
  if (prefix == QLatin1String("LPT")) PrnSendLpt(bytes);
  if (prefix == QLatin1String("COM")) PrnSendCom(bytes);
}

void PrnSendLpt(const QByteArray &bytes) {
  const QByteArray job = bytes + QByteArray("\r\n");
  try {
    const QString device = gsSetPrnDevice.trimmed();
    if (!device.isEmpty()) return pp::WriteDevice(device, job);
    const QString name = gsSetPrnPort.trimmed();
    if (name.contains('/') || name.contains('\\'))
      throw pp::PortError(QStringLiteral("프린터 포트가 잘못되었습니다"));
    pp::AppendStandInFile(orv::datafolder::Path(name + ".prn"), job);
  } catch (const pp::PortError &e) {
    rethrowForPort(e);
  }
}

int ComPortNumber(const QString &port) {
  QString rest = port.mid(3);
  const int dot = rest.indexOf('.');
  if (dot >= 0) rest = rest.left(dot);
  rest = rest.trimmed();
  if (rest.isEmpty()) return 0;
  const QString upper = asciiUpper(rest);
  if (upper == QLatin1String("TRUE")) return 1;
  if (upper == QLatin1String("FALSE")) return 0;
  bool ok = false;
  const int n = KeepDigits(rest, 1).toInt(&ok);
  return ok ? n : 0;
}

QString ComPrinterDevice() {
  const int n = ComPortNumber(gsSetPrnPort);
  if (n <= 0) throw pp::PortError(gsSetPrnPort + QStringLiteral(": 포트 번호가 잘못되었습니다"));
  if (!gsSetPrnDevice.trimmed().isEmpty()) return gsSetPrnDevice.trimmed();
  return orv::serial::DevicePath(n);
}

void PrnSendCom(const QByteArray &bytes) {
  if (bytes.isEmpty()) return;
  const QString device = ComPrinterDevice();
  try {
    pp::WriteSerial(device, bytes);
  } catch (const pp::PortError &e) {
    rethrowForPort(e);
  }
}

void CheckComPrinter() {
  const QString device = ComPrinterDevice();
  try {
    pp::CheckSerial(device);
  } catch (const pp::PortError &e) {
    rethrowForPort(e);
  }
}

void OpenCashDrawer() { PrnSend(QByteArray("\x1bp") + char(0) + char(64) + char(80)); }

namespace orv::state {
void ResetPrinterState() {
  gsPrnBuf.clear();
  gsPrnCrLf = "\r\n";
  gsPrnWide = QByteArray("\x1b!") + char(32);
  gsPrnNormal = QByteArray("\x1b!") + char(0);
  gsSetPrnDevice.clear();
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetPrinterState);
}
