#include "print_support.h"

#include <QFile>

#include "platform/codepage.h"

namespace printtest {

Capture::Capture(int failAt_) : failAt(failAt_) {
  orv::printer_port::SetCaptureSink(
      [this](orv::printer_port::Kind kind, const QString &device, const QByteArray &bytes) {
        if (failAt > 0 && jobs.size() + 1 == failAt)
          throw orv::printer_port::PortError(QStringLiteral("용지 없음: ") + device);
        jobs.append({kind, device, bytes});
      });
}

Capture::~Capture() { orv::printer_port::SetCaptureSink({}); }

std::string HexDump(const QByteArray &bytes) {
  std::string out;
  for (qsizetype i = 0; i < bytes.size(); i += 16) {
    const QByteArray row = bytes.mid(i, 16);
    QString hex = QString::fromLatin1(row.toHex(' ')).leftJustified(48);
    QByteArray printable = row;
    for (char &c : printable)
      if (uchar(c) < 0x20) c = '.';
    out += QStringLiteral("%1  %2  %3\n")
               .arg(i, 6, 16, QLatin1Char('0'))
               .arg(hex, orv::codepage::Decode(printable))
               .toStdString();
  }
  return out;
}

::testing::AssertionResult SameBytes(const QByteArray &expected, const QByteArray &actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  qsizetype at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  return ::testing::AssertionFailure()
         << "bytes differ from offset 0x" << std::hex << at << std::dec << " (expected "
         << expected.size() << " bytes, got " << actual.size() << ")\n--- expected\n"
         << HexDump(expected) << "--- actual\n"
         << HexDump(actual);
}

QByteArray Cp949(const QString &text) { return orv::codepage::Encode(text); }

QByteArray Fixture(const QString &name) {
  QFile f(QStringLiteral(ORVPOS_TEST_FIXTURES "/print/") + name);
  if (!f.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "missing fixture " << name.toStdString();
    return {};
  }
  return f.readAll();
}

}  // namespace printtest
