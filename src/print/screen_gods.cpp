#include "print/screen_gods.h"

#include <cmath>

#include "core/byte_text.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "print/basPrinter.h"
#include "print/receipt_reprint.h"
#include "print/receipt_text.h"

namespace orv::print {
namespace {

QString cutPad(const QString &text, int n) {
  const QString s = MidH(text + QString(n, ' '), 1, n);
  return s.isEmpty() ? QString(n, ' ') : s;
}

}  // namespace

TaxSplit ScreenTaxSplit(Currency total, Currency taxFree) {
  const Currency taxed = Currency::Sub(total, taxFree).value_or(Currency());
  // nearbyint rounds halves to even in the default rounding mode.
  const double supply = std::nearbyint(taxed.ToDouble() / 1.1 + 0.5);
  const Currency s = Currency::FromDouble(supply).value_or(Currency());
  return {s, Currency::Sub(taxed, s).value_or(Currency())};
}

QString ScreenGodsIdNo(const QDateTime &now, int posNo) {
  return now.toString(QStringLiteral("yyyyMMdd")).right(6) + now.toString(QStringLiteral("HHmmss")) +
         QString::number(posNo).right(1);
}

void AddScreenGodsJob(const ScreenGodsSheet &s) {
  const QString rule = Dash();
  Currency taxFree;
  if (s.shop) {
    const RcptShop &c = *s.shop;
    // Centred by adding a blank each side while the name is 20 bytes or less.
    QString name = c.prtName;
    while (LenAnsi(name) <= 20) name = ' ' + name + ' ';
    PrnAddBytes(gsPrnWide + codepage::Encode(cutPad(name, 20)) + gsPrnNormal);
    PrnAddLine(QStringLiteral("[화 면 상 품 인 쇄]"));
    PrnAddLine(L(20, QStringLiteral("Date: ") + s.today.toString(QStringLiteral("yyyy.MM.dd"))) +
               R(20, QStringLiteral("Tel: ") + c.tel));
    PrnAddLine(cutPad(c.addr, 40));
    PrnAddLine(L(20, SaupNoText(c.saupNo)) + cutPad(c.psn, 20));
    PrnAddLine(cutPad(c.uptae, 20) + cutPad(c.jongmok, 14) + R(6, QString::number(s.posNo)));
  }
  PrnAddLine(rule);
  for (const ScreenGodsLine &l : s.lines) {
    if (l.taxFree) taxFree = Currency::Add(taxFree, l.gum).value_or(taxFree);
    PrnAddLine(R(4, QString::number(l.row) + (l.taxFree ? "*" : ":")) + (l.noPoints ? "@" : " ") +
               cutPad(l.name, 34));
    PrnAddLine(L(13, l.barcode) + R(5, F(l.su)) + R(10, F(l.danga)) + R(12, F(l.gum)));
  }
  PrnAddLine(rule);
  QString hab = s.habText;
  const TaxSplit split = ScreenTaxSplit(NzCur(hab.remove(',')), taxFree);
  PrnAddLine(QStringLiteral("[공급가") + R(8, N(split.supply)) + QStringLiteral("세액") + R(8, N(split.tax)) +
             QStringLiteral("면세") + R(8, N(taxFree)) + "]");
  PrnAddBytes(gsPrnWide + codepage::Encode(QStringLiteral("총액:")) + gsPrnNormal + codepage::Encode(R(8, s.suText)) +
              gsPrnWide + codepage::Encode(R(11, s.habText)) + gsPrnNormal);
  PrnAddLine(rule);
  PrnAddLine(QStringLiteral("상품명 앞 *표시는 면세제품임."));
  PrnAddLine(QStringLiteral("상품명 앞 @표시는 고객점수제외 제품임."));
  PrnAddLine(QStringLiteral("계 산 원:") + ("00000" + s.pcdNo.ToPlainText()).right(5) + "(" + cutPad(s.pcdName, 24) +
             ")");
  PrnAddLine(rule);
  for (const QString &m : s.msgs)
    if (!m.isEmpty()) PrnAddLine(m);
  PrnAddLine(QString());
  PrnAddLine(QStringLiteral("식별번호: ") + s.idNo);
  if (s.printBarcode == 1) PrnAddBytes(IdBarcode(s.idNo.toLatin1(), int16_t(s.printModel)));
  PrnAddLine(QString());
  PrnFeedCut();
}

}  // namespace orv::print
