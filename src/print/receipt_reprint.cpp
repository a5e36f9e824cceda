#include "print/receipt_reprint.h"

#include <QFile>
#include <QList>
#include <stdexcept>

#include "core/pos_settings.h"
#include "platform/codepage.h"
#include "print/basPrinter.h"
#include "chit/sale_state.h"


namespace orv::print {
namespace {

const QByteArray kCrLf("\r\n");
const QByteArray kBars("||||");
const QByteArray kStars("****");

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One byte from a piece of a code line: its leading hex digits; none gives 00.
char codeByte(const QByteArray &piece) {
  int value = 0;
  for (char c : piece) {
    const int d = hexDigit(c);
    if (d < 0) break;
    value = value * 16 + d;
    if (value > 0xFF)
      throw std::runtime_error(
          QStringLiteral("영수증 파일의 코드가 잘못되었습니다: %1").arg(QString::fromLatin1(piece)).toStdString());
  }
  return char(value);
}

QByteArray trimBlanks(const QByteArray &b) {
  qsizetype s = 0, e = b.size();
  while (s < e && b[s] == ' ') ++s;
  while (e > s && b[e - 1] == ' ') --e;
  return b.mid(s, e - s);
}

}  // namespace

QByteArray IdBarcode(const QByteArray &number, int16_t printModel) {
  QByteArray b("\x1dh\x3c\x1dw\x02\x1dH", 8);
  b += char(0);
  b += "\x1dk";
  b += char(printModel == 5 ? 0x49 : 0x48);
  b += char(number.size());
  b += number;
  return b;
}

QByteArray ReceiptFileJob(const QByteArray &file, int16_t reprint, int16_t printBarcode,
                          int16_t printModel) {
  static const QByteArray idLabel = codepage::Encode(QStringLiteral("식별번호:"));
  QByteArray job;
  if (reprint != 0) job += codepage::Encode(QStringLiteral("[재 발 행 영 수 증]")) + kCrLf;
  QList<QByteArray> lines = file.split('\n');
  // Lines end at CR LF; a lone LF stays inside its line.
  QList<QByteArray> joined;
  QByteArray pending;
  bool open = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QByteArray piece = lines[i];
    const bool last = i == lines.size() - 1;
    if (open) pending += '\n';
    pending += piece;
    open = true;
    if (!last && pending.endsWith('\r')) {
      pending.chop(1);
      joined.append(pending);
      pending.clear();
      open = false;
    }
  }
  if (open && !pending.isEmpty()) joined.append(pending);

  for (const QByteArray &line : joined) {
    if (line.endsWith(kBars)) {
      QByteArray rest = line;
      rest.replace(kBars, QByteArray());
      if (!rest.contains(kStars)) {
        job += rest;
        continue;
      }
      // The text before the first "****" is no code.
      QList<QByteArray> codes;
      qsizetype from = rest.indexOf(kStars) + 4;
      while (true) {
        const qsizetype next = rest.indexOf(kStars, from);
        codes.append(rest.mid(from, next < 0 ? -1 : next - from));
        if (next < 0) break;
        from = next + 4;
      }
      for (const QByteArray &code : codes) job += codeByte(code);
      continue;
    }
    job += line + kCrLf;
    if (printBarcode == 1 && line.startsWith(idLabel)) {
      const QByteArray number = trimBlanks(line.mid(idLabel.size()));
      if (number.size() == 14) job += IdBarcode(number, printModel) + kCrLf;
    }
  }
  return job;
}

}  // namespace orv::print

void PrintReceiptFile(const QString &path, int16_t reprint) {
  PrnClear();
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    throw std::runtime_error(
        (QStringLiteral("영수증 파일을 읽을 수 없습니다: ") + path + " (" + f.errorString() + ")").toStdString());
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw std::runtime_error(
        (QStringLiteral("영수증 파일을 읽을 수 없습니다: ") + path + " (" + f.errorString() + ")").toStdString());
  f.close();
  PrnAddBytes(orv::print::ReceiptFileJob(bytes, reprint, giSetPrintBarcode, giSetPrint), 1);
  PrnFlush();
}
