#include "print/basPrinter.h"

#include "core/pos_settings.h"
#include "platform/codepage.h"
#include "platform/printer_port.h"

QByteArray gsPrnBuf;
QByteArray gsPrnLf = "\r\n";
QByteArray gsPrnWide = QByteArray("\x1b!") + char(32);
QByteArray gsPrnNormal = QByteArray("\x1b!") + char(0);

void InitPrnCodes() {
  gsPrnLf = "\r\n";
  gsPrnWide = QByteArray("\x1b!") + char(32);
  gsPrnNormal = QByteArray("\x1b!") + char(0);
}

void PrnClear() { gsPrnBuf.clear(); }

void PrnAddLine(const QString &text, int16_t noNewLine) {
  gsPrnBuf += orv::codepage::Encode(text);
  if (noNewLine == 0) gsPrnBuf += gsPrnLf;
}

void PrnFeedCut() {
  for (int i = 0; i < 5; ++i) gsPrnBuf += gsPrnLf;
  gsPrnBuf += "\x1bi";
}

void PrnFlush() { orv::printer_port::Write(gsSetPrnPort, gsPrnBuf); }

void OpenCashDrawer() {
  orv::printer_port::Write(gsSetPrnPort, QByteArray("\x1bp") + char(0) + char(64) + char(80));
}

namespace orv::state {
void ResetPrinterState() {
  gsPrnBuf.clear();
  InitPrnCodes();
}
}  // namespace orv::state
