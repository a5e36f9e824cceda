#include "platform/serial_port.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/dialogs.h"
#include "pseudo_terminal.h"

namespace serial = orv::serial;
namespace dialogs = orv::dialogs;

TEST(SerialSettings, ParsesTheSettingsText) {
  struct Case {
    const char *text;
    bool ok;
    qint32 baud;
    QSerialPort::Parity parity;
    int data;
    QSerialPort::StopBits stop;
  };
  const Case cases[] = {
      {"9600,N,8,1", true, 9600, QSerialPort::NoParity, 8, QSerialPort::OneStop},
      {"19200,e,7,2", true, 19200, QSerialPort::EvenParity, 7, QSerialPort::TwoStop},
      {" 115200 , O , 8 , 1.5 ", true, 115200, QSerialPort::OddParity, 8, QSerialPort::OneAndHalfStop},
      {"4800,M,5,1", true, 4800, QSerialPort::MarkParity, 5, QSerialPort::OneStop},
      {"", false, 0, {}, 0, {}},
      {"9600,N,8", false, 0, {}, 0, {}},
      {"9600,X,8,1", false, 0, {}, 0, {}},
      {"fast,N,8,1", false, 0, {}, 0, {}},
      {"0,N,8,1", false, 0, {}, 0, {}},
      {"9600,N,9,1", false, 0, {}, 0, {}},
      {"9600,N,8,3", false, 0, {}, 0, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    const auto s = serial::ParseSettings(c.text);
    ASSERT_EQ(s.has_value(), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(s->baud, c.baud);
    EXPECT_EQ(s->parity, c.parity);
    EXPECT_EQ(int(s->dataBits), c.data);
    EXPECT_EQ(s->stopBits, c.stop);
  }
}

TEST(SerialSettings, HandshakingThreeRunsAsRtsCts) {
  EXPECT_EQ(serial::FlowControlOf(0), QSerialPort::NoFlowControl);
  EXPECT_EQ(serial::FlowControlOf(1), QSerialPort::SoftwareControl);
  EXPECT_EQ(serial::FlowControlOf(2), QSerialPort::HardwareControl);
  EXPECT_EQ(serial::FlowControlOf(3), QSerialPort::HardwareControl);
}

TEST(SerialSettings, ComNumbersMapToDevicesOnePlaceForEveryPort) {
  qunsetenv("ORVPOS_COM3");
  EXPECT_EQ(serial::DevicePath(1), "/dev/ttyS0");
  EXPECT_EQ(serial::DevicePath(3), "/dev/ttyS2");
  EXPECT_EQ(serial::DevicePath(0), "");  // never /dev/ttyS-1
  EXPECT_EQ(serial::DevicePath(-2), "");
  qputenv("ORVPOS_COM3", "/dev/ttyUSB0");
  EXPECT_EQ(serial::DevicePath(3), "/dev/ttyUSB0");
  qunsetenv("ORVPOS_COM3");
}

namespace {

class SerialPty : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.Ok());
    port_.SetCommPort(7);
    port_.SetSettings("9600,N,8,1");
  }
  orvtest::Pty pty_{7};
  serial::Port port_;
};

int ErrorOf(serial::Port &port) {
  try {
    port.Open();
  } catch (const serial::SerialError &e) {
    return e.Number;
  }
  return 0;
}

}  // namespace

TEST_F(SerialPty, ReadsAndWritesThroughTheDevice) {
  port_.SetHandshaking(serial::kRtsXonXoff);
  ASSERT_NO_THROW(port_.Open());
  EXPECT_TRUE(port_.PortOpen());
  EXPECT_EQ(port_.DeviceName(), pty_.Name());

  ASSERT_TRUE(pty_.Send("8801234567890\r"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return port_.InBufferCount() == 14; }, 2000));
  EXPECT_EQ(port_.Input(), "8801234567890\r");  // raw: the carriage return stays
  EXPECT_EQ(port_.InBufferCount(), 0);

  port_.Output("\x1b@hello");
  EXPECT_EQ(pty_.Received(7), "\x1b@hello");

  port_.Close();
  EXPECT_FALSE(port_.PortOpen());
  port_.Close();  // closing twice is harmless
}

TEST_F(SerialPty, ReceiveEventsOnlyWithAThreshold) {
  QSignalSpy spy(&port_, &serial::Port::OnComm);
  ASSERT_NO_THROW(port_.Open());
  pty_.Send("12");
  ASSERT_TRUE(QTest::qWaitFor([&] { return port_.InBufferCount() == 2; }, 2000));
  EXPECT_EQ(spy.count(), 0);
  port_.Input();
  port_.Close();

  port_.SetRThreshold(1);
  ASSERT_NO_THROW(port_.Open());
  pty_.Send("34");
  EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() > 0; }, 2000));
}

TEST_F(SerialPty, Failures) {
  ASSERT_NO_THROW(port_.Open());
  EXPECT_EQ(ErrorOf(port_), serial::kErrPortOpen);
  EXPECT_TRUE(port_.PortOpen());  // the open port stays open
  port_.Close();
  EXPECT_THROW(port_.Input(), serial::SerialError);
  EXPECT_THROW(port_.Output("x"), serial::SerialError);

  port_.SetSettings("9600,N,8");
  EXPECT_EQ(ErrorOf(port_), serial::kErrInvalidProperty);
  EXPECT_FALSE(port_.PortOpen());

  port_.SetSettings("9600,N,8,1");
  port_.SetCommPort(0);
  EXPECT_EQ(ErrorOf(port_), serial::kErrInvalidPort);

  qputenv("ORVPOS_COM9", "/nonexistent/ttyX");
  port_.SetCommPort(9);
  EXPECT_EQ(ErrorOf(port_), serial::kErrInvalidPort);
  EXPECT_FALSE(port_.PortOpen());
  qunsetenv("ORVPOS_COM9");
}

TEST(SerialOpenFailure, MessagesOfTheLoad) {
  dialogs::Script script;
  script.StrictOk().Ok().No();
  serial::ShowOpenFailure(9, serial::SerialError(serial::kErrInvalidPort, "x"), QStringLiteral("CDP"));
  serial::ShowOpenFailure(2, serial::SerialError(serial::kErrPortInUse, QStringLiteral("사용 중")),
                          QStringLiteral("스캐너"));
  ASSERT_EQ(script.Log().size(), 2);
  EXPECT_EQ(script.Log()[0].text,
            QStringLiteral("현재 포트:Com9가 잘못되었습니다.\r\nCDP가 제대로 작동될수 없습니다."));
  EXPECT_EQ(script.Log()[0].title, QStringLiteral("포트열기실패"));
  EXPECT_EQ(script.Log()[0].icon, dialogs::Icon::Information);
  EXPECT_EQ(script.Log()[1].text, QStringLiteral("[8010]사용 중"));
  EXPECT_EQ(script.Log()[1].buttons, dialogs::Buttons::YesNo);
  EXPECT_EQ(script.Log()[1].icon, dialogs::Icon::Information);
}
