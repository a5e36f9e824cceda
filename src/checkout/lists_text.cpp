#include "checkout/lists_text.h"

#include "core/values.h"

namespace orv::checkout {

QString FormatWon(Currency value) {
  const int64_t whole = value.RoundToInt();
  if (whole == 0) return {};
  QString digits = QString::number(whole < 0 ? -whole : whole);
  for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, ',');
  return whole < 0 ? "-" + digits : digits;
}

QString AmountBoxText(const QString &text) {
  QString kept;
  for (const QChar ch : text)
    if ((ch >= '0' && ch <= '9') || ch == '-') kept += ch;
  bool anyDigit = false;
  for (const QChar ch : kept) anyDigit = anyDigit || ch.isDigit();
  if (!anyDigit) return kept;
  return FormatWon(NzCur(kept));
}

Currency AmountInBox(const QString &text) { return NzCur(QString(text).remove(',')); }

BalanceTexts BalanceToTexts(Currency b, Currency t, Currency c) {
  auto diff = [](Currency x, Currency y) {
    return Currency::Sub(x, y).value_or(Currency()).ToPlainText();
  };
  return {c.ToPlainText(), diff(b, t), t.ToPlainText(), diff(b, c)};
}

}  // namespace orv::checkout

#include "core/byte_text.h"

namespace orv::checkout {

namespace {
QString SixDigits(const QString &t) {
  const QString digits = t.trimmed();
  return digits.rightJustified(6, '0').right(6);
}
}  // namespace

QString HeldTimeText(const QString &hhmmss) {
  const QString t = SixDigits(hhmmss);
  return QString::number(t.left(2).toInt()) + ":" + t.mid(2, 2) + ":" + t.mid(4, 2);
}

QString ClockTimeText(const QString &hhmmss) {
  const QString t = SixDigits(hhmmss);
  return t.left(2) + ":" + t.mid(2, 2) + ":" + t.mid(4, 2);
}

QString CreditNameText(const QString &customer, const QString &email, const QString &partner) {
  return PadByte(customer, 8) + "/" + PadByte(email, 8) + "/" + PadByte(partner, 12);
}

QString WatDeliveryLine(const QString &name, const QString &kyg, const QString &qty) {
  auto cut = [](const QString &text, int n) {
    QString s = MidH(text, 1, n);
    return s + QString(n - LenAnsi(s), ' ');
  };
  return cut(name, 20) + cut(kyg, 16) + (QString(4, ' ') + qty.trimmed()).right(4);
}

}  // namespace orv::checkout
