#pragma once
// A capture sink in place of the printer's devices, and byte comparisons that show both
// sides as hex with their CP949 text beside.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include "platform/printer_port.h"

namespace printtest {

struct Job {
  orv::printer_port::Kind kind;
  QString device;
  QByteArray bytes;
};

// Installed for its lifetime; failAt makes the n-th job (1-based) fail like a device.
class Capture {
 public:
  explicit Capture(int failAt = 0);
  ~Capture();
  QList<Job> jobs;
  int failAt = 0;
};

// Lines of hex and text, 16 bytes a line.
std::string HexDump(const QByteArray &bytes);
::testing::AssertionResult SameBytes(const QByteArray &expected, const QByteArray &actual);
QByteArray Cp949(const QString &text);
// A file of tests/fixtures/print/.
QByteArray Fixture(const QString &name);

}  // namespace printtest

#define EXPECT_BYTES(expected, actual) EXPECT_TRUE(::printtest::SameBytes((expected), (actual)))
