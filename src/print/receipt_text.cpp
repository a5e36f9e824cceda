#include "print/receipt_text.h"

#include "core/byte_text.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/datafolder.h"

namespace orv::print {

QString F(Currency x) {
  const QString s = FmtAmt(x, 0);
  return s == QLatin1String("0") ? QString() : s;
}

QString N(Currency x) { return x.ToPlainText(); }

QString R(int n, const QString &x) { return (QString(n, ' ') + x).right(n); }

QString L(int n, const QString &x) { return (x + QString(n, ' ')).left(n); }

QString RB(int n, const QString &x) { return RightH(QString(n, ' ') + x, n); }

QString LB(int n, const QString &x) { return MidH(x + QString(n, ' '), 1, n); }

QString Dash() { return QString(kWidth, '-'); }

QString SaupNoText(const QString &text) {
  const QString t = text.trimmed();
  if (t.size() == 10 && IsDigits(t) == 1) return t.left(3) + '-' + t.mid(3, 2) + '-' + t.mid(5);
  return t;
}

QString ReceiptFilePath(const QString &date, int32_t chitNo, int16_t onLine) {
  return datafolder::Path(QStringLiteral("OrvBackup/Print/%1/%2%3.txt").arg(date).arg(onLine).arg(chitNo));
}

QString ReceiptFilePath(const QString &date, int32_t chitNo) {
  return ReceiptFilePath(date, chitNo, giOnLine);
}

}  // namespace orv::print
