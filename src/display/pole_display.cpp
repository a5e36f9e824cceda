#include "display/pole_display.h"

#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "platform/serial_port.h"

namespace orv::display {

namespace {

const QByteArray kFF("\x0C");
const QByteArray kUS("\x1F");
const QByteArray kClr("\x1B{2J");
const QByteArray kPos1("\x1B{1;1H");
const QByteArray kPos2("\x1B{2;1H");

QString Sp(int n) { return QString(n, QLatin1Char(' ')); }
QByteArray Enc(const QString &text) { return codepage::Encode(text); }

// The label spellings differ by model and routine and go out as they stand.
const QString kSumLine = QStringLiteral("합  계");   // goods line
const QString kSum = QStringLiteral("합 계");        // total and change screens
const QString kSum6 = QStringLiteral("합계 ");       // model 6 total
const QString kGot = QStringLiteral("받은돈");
const QString kBack = QStringLiteral("거스름");
const QString kEach = QStringLiteral("개");

// Each write is given whole to the port; a failure is the caller's to judge.
bool Send(serial::Port *port, const QByteArray &bytes) {
  if (!port || !port->PortOpen()) return false;
  try {
    port->Output(bytes, kPoleWriteTimeoutMs);
    return true;
  } catch (const serial::SerialError &) {
    return false;
  }
}

}  // namespace

QString RightIn(int n, const QString &t) { return (Sp(n) + t).right(n); }
QString FirstChars(int n, const QString &t) { return t.left(n); }

QList<QByteArray> GoodsLineWrites(int model, const GoodsLineFields &f) {
  const QString q = RightIn(3, f.qty);
  switch (model) {
    case 1:
      return {kFF, Enc(q + "EA" + RightIn(15, f.price) + "T O T" + RightIn(15, f.amount))};
    case 2:
    case 7: {
      const int w = model == 2 ? 11 : 10;
      return {kFF, Enc(q + kEach + RightIn(w, f.price) + kSumLine + RightIn(11, f.amount) +
                       FirstChars(15, f.name))};
    }
    case 3:
      return {kClr, kPos1, Enc(q + kEach + RightIn(27, f.price)), kPos2,
              Enc(kSumLine + RightIn(11, f.amount) + Sp(2) + f.name)};
    case 6:
      return {kUS, Enc(q + kEach + RightIn(12, f.amount))};
    default:
      return {};
  }
}

QList<QByteArray> TotalWrites(int model, const QString &t) {
  switch (model) {
    case 1:
      return {kFF, Enc("TOT" + RightIn(17, t) + Sp(20))};
    case 2:
    case 7:
      return {kFF, Enc(Sp(15) + kSum + RightIn(12, t) + Sp(15))};
    case 3:
      return {kClr, kPos1, Enc(Sp(9) + kSum + RightIn(15, t))};
    case 6:
      return {kUS, Enc(kSum6 + RightIn(13, t))};
    default:
      return {};
  }
}

QList<QByteArray> ChangeWrites(int model, const QString &g, const QString &c, const QString &t) {
  const QString c0 = c.isEmpty() ? QStringLiteral("0") : c;
  switch (model) {
    case 1:
      return {kFF, Enc("TOT" + RightIn(17, t) + "-C-" + RightIn(17, c))};
    case 2:
      return {kFF, Enc(kSum + RightIn(12, t) + kGot + RightIn(12, g) + kBack + RightIn(12, c))};
    case 3:
      return {kClr, kPos1, Enc(kGot + RightIn(13, g)), kPos2, Enc(kBack + RightIn(13, c0))};
    case 6:
      return {kUS, Enc(kBack + RightIn(13, c0))};
    case 7:
      return {kFF, Enc(kSum + RightIn(11, t) + Sp(16) + kGot + RightIn(10, g) + kBack +
                       RightIn(10, c))};
    default:
      return {};
  }
}

void DispGoodsLine(serial::Port *port, Grid *grid, int row) {
  const int model = giSetDisp;
  if (!grid || model == 0 || model == 5) return;
  // Cells in the routine's order: quantity, unit price, line total, name.
  GoodsLineFields f;
  f.qty = NzCur(GetCellText(grid, row, 3)).ToPlainText();
  if (model != 6) f.price = FmtAmt(NzCur(GetCellText(grid, row, 4)), 0);
  f.amount = FmtAmt(NzCur(GetCellText(grid, row, 5)), 0);
  if (model == 2 || model == 3 || model == 7) f.name = NzStr(GetCellText(grid, row, 2));
  for (const QByteArray &w : GoodsLineWrites(model, f))
    if (!Send(port, w)) return;
}

void DispTotal(serial::Port *port, const QString &totalText) {
  for (const QByteArray &w : TotalWrites(giSetDisp, totalText)) Send(port, w);
}

void DispChange(serial::Port *port, const QString &receivedText, const QString &changeText,
                const QString &totalText) {
  for (const QByteArray &w : ChangeWrites(giSetDisp, receivedText, changeText, totalText))
    Send(port, w);
}

}  // namespace orv::display
