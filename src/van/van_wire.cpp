#include "van/van_wire.h"

#include "platform/codepage.h"

namespace orv::van {

QByteArray EncodeFrame(const QStringList &fields, QString *error) {
  const QByteArray body = codepage::Encode(fields.join(QChar(kFs)));
  if (body.size() > kMaxFrameBody) {
    if (error) *error = QStringLiteral("전문이 너무 깁니다 (%1 바이트)").arg(body.size());
    return {};
  }
  return QByteArray::number(body.size()).rightJustified(4, '0') + body;
}

TakenFrame TakeFrame(QByteArray &buffer) {
  TakenFrame t;
  if (buffer.size() < 4) return t;
  const QByteArray head = buffer.left(4);
  for (char c : head) {
    if (c < '0' || c > '9') {
      buffer.clear();
      t.complete = true;
      t.error = QStringLiteral("전문 길이 오류");
      return t;
    }
  }
  const int len = head.toInt();
  if (buffer.size() < 4 + len) return t;
  const QByteArray body = buffer.mid(4, len);
  buffer.remove(0, 4 + len);
  t.complete = true;
  const QString text = codepage::Decode(body);
  if (text.contains(QChar(0xFFFD))) {
    t.error = QStringLiteral("전문 문자 오류");
    return t;
  }
  t.fields = text.split(QChar(kFs));
  t.ok = true;
  return t;
}

QString NumberedField(int number, const QString &value) {
  return QString::number(number) + QLatin1Char('=') + value;
}

QString FindNumbered(const QStringList &fields, int number, bool *found) {
  const QString prefix = QString::number(number) + QLatin1Char('=');
  for (const QString &f : fields) {
    if (f.startsWith(prefix)) {
      if (found) *found = true;
      return f.mid(prefix.size());
    }
  }
  if (found) *found = false;
  return {};
}

}  // namespace orv::van
