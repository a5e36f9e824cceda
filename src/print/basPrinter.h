#pragma once
// The print buffer of the receipt printer and its codes.
#include <QByteArray>
#include <QString>
#include <cstdint>

extern QByteArray gsPrnBuf;     // CP949 bytes waiting for PrnFlush
extern QByteArray gsPrnLf;      // line end
extern QByteArray gsPrnWide;    // double width on
extern QByteArray gsPrnNormal;  // double width off

void InitPrnCodes();
void PrnClear();
void PrnAddLine(const QString &text, int16_t noNewLine = 0);
void PrnFeedCut();
// Sends the buffer to the port of the terminal settings; errors of the port are thrown
// (std::runtime_error) to the caller.
void PrnFlush();
// ESC p 0 64 80 to the printer: opens the drawer wired behind it.
void OpenCashDrawer();

namespace orv::state {
void ResetPrinterState();
}
