// The print buffer and where its jobs go: the port choice, the serial path's bytes and
// settings on a pseudo-terminal, a network printer, device files and FIFOs with time-outs.
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <thread>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/datafolder.h"
#include "print/basPrinter.h"
#include "print_support.h"
#include "test_support.h"

namespace pp = orv::printer_port;
using printtest::Capture;

namespace {

class PortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    pp::SetTimeoutMs(100);
    dir_ = orvtest::MakeTempDir();
  }
  void TearDown() override {
    pp::SetTimeoutMs(5000);
    orv::state::ResetProgramState();
  }
  std::unique_ptr<QTemporaryDir> dir_;
};

const QByteArray kCut("\x1bi");
const QByteArray kDrawer("\x1bp\x00\x40\x50", 5);

TEST_F(PortTest, PortChoiceByPrefixAndDevice) {
  struct Case {
    const char *port;
    const char *device;
    pp::Kind kind;
    QString target;  // empty: nothing is sent
    bool crlf;
  };
  const QString root = orv::datafolder::Root();
  const Case cases[] = {
      {"LPT1", "", pp::Kind::StandInFile, root + "/LPT1.prn", true},
      {"lpt2", "", pp::Kind::StandInFile, root + "/lpt2.prn", true},  // named as written
      {"LPT1", "/dev/usb/lp0", pp::Kind::DeviceFile, "/dev/usb/lp0", true},
      {"LPT1", "tcp:10.0.0.9", pp::Kind::Tcp, "tcp:10.0.0.9", true},
      {"COM3", "", pp::Kind::Serial, "/dev/ttyS2", false},
      {"com10", "", pp::Kind::Serial, "/dev/ttyS9", false},
      {"COM1", "/dev/ttyUSB0", pp::Kind::Serial, "/dev/ttyUSB0", false},
      {"PRN", "/dev/usb/lp0", pp::Kind::DeviceFile, "", false},
      {"", "", pp::Kind::DeviceFile, "", false},
  };
  const QByteArray job = QByteArray("A\r\nB") + kCut;
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.port) + " / " + c.device);
    gsSetPrnPort = c.port;
    gsSetPrnDevice = c.device;
    Capture cap;
    PrnSend(job);
    if (c.target.isEmpty()) {
      EXPECT_TRUE(cap.jobs.isEmpty());
      continue;
    }
    ASSERT_EQ(cap.jobs.size(), 1);
    EXPECT_EQ(cap.jobs[0].kind, c.kind);
    EXPECT_EQ(cap.jobs[0].device, c.target);
    EXPECT_BYTES(c.crlf ? job + "\r\n" : job, cap.jobs[0].bytes);
  }
}

TEST_F(PortTest, SerialPortNumber) {
  const std::pair<const char *, int> cases[] = {
      {"COM1", 1}, {"COM10", 10}, {"COM 4 ", 4}, {"COM3.7", 3}, {"COM", 0},
      {"COMx", 0}, {"COM.5", 0},  {"COMtrue", 1}, {"COMFALSE", 0}, {"COM99999999999", 0},
  };
  for (auto [port, n] : cases) EXPECT_EQ(ComPortNumber(port), n) << port;

  // Port 0 fails with the port's text and never reaches a device.
  Capture cap;
  for (const char *port : {"COM", "COMx"}) {
    gsSetPrnPort = port;
    try {
      PrnSend("x");
      ADD_FAILURE() << "no failure for " << port;
    } catch (const pp::PortError &e) {
      EXPECT_TRUE(e.Text().contains(port)) << e.what();
    }
  }
  EXPECT_TRUE(cap.jobs.isEmpty());
}

TEST_F(PortTest, SerialJobGoesOutUnchangedAndEmptyJobsTouchNothing) {
  gsSetPrnPort = "COM1";
  Capture cap;
  // A barcode whose length byte is CR, and more than 2,500 lines ending in the cut.
  QByteArray job = QByteArray("\x1dk\x48\x0d", 4) + "2412050000570";
  for (int i = 0; i < 3000; ++i) job += "line\r\n";
  job += kCut;
  PrnSend(job);
  PrnSend(QByteArray());
  ASSERT_EQ(cap.jobs.size(), 1);
  EXPECT_BYTES(job, cap.jobs[0].bytes);
}

TEST_F(PortTest, BufferFlushDrawerAndFailureKeepTheBuffer) {
  gsSetPrnPort = "LPT1";
  PrnClear();
  PrnAddLine(QStringLiteral("한글 A"));
  PrnAddBytes(gsPrnWide, 1);
  PrnFeedCut();
  const QByteArray built = printtest::Cp949(QStringLiteral("한글 A")) + "\r\n" + gsPrnWide +
                           "\r\n\r\n\r\n\r\n\r\n" + kCut;
  EXPECT_BYTES(built, gsPrnBuf);
  {
    Capture cap;
    PrnFlush();
    OpenCashDrawer();  // outside the buffer
    PrnFlush();        // the same job again
    ASSERT_EQ(cap.jobs.size(), 3);
    EXPECT_BYTES(built + "\r\n", cap.jobs[0].bytes);
    EXPECT_BYTES(kDrawer + "\r\n", cap.jobs[1].bytes);
    EXPECT_BYTES(built + "\r\n", cap.jobs[2].bytes);
    EXPECT_BYTES(built, gsPrnBuf);
  }
  {
    gsSetPrnPort = "COM2";
    Capture cap;
    OpenCashDrawer();
    ASSERT_EQ(cap.jobs.size(), 1);
    EXPECT_BYTES(kDrawer, cap.jobs[0].bytes);
  }
  // A failing device: the caller sees it, the buffer is as it was.
  gsSetPrnPort = "LPT1";
  gsSetPrnDevice = dir_->filePath("no-such-printer");
  EXPECT_THROW(PrnFlush(), pp::PortError);
  EXPECT_BYTES(built, gsPrnBuf);
}

TEST_F(PortTest, StandInFileIsAppended) {
  gsSetPrnPort = "LPT1";
  const QString path = orv::datafolder::Path("LPT1.prn");
  QFile::remove(path);
  PrnSend("one");
  PrnSend("two");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_BYTES("one\r\ntwo\r\n", f.readAll());
}

TEST_F(PortTest, SerialPortOnAPseudoTerminal) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const QString slave = QString::fromLocal8Bit(ptsname(master));
  // Keeps the terminal's settings readable after the job closed the port.
  const int keep = ::open(slave.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  ASSERT_GE(keep, 0);
  termios t{};
  tcgetattr(keep, &t);
  cfsetspeed(&t, B1200);
  t.c_cflag |= PARENB | CSTOPB;
  tcsetattr(keep, TCSANOW, &t);

  gsSetPrnPort = "COM4";
  gsSetPrnDevice = slave;
  // Larger than the terminal's buffer, so the port is still open, with the job's
  // settings, when the reader first gets bytes.
  QByteArray job = QByteArray("\x1dk\x48\x0d", 4) + "2412050000570\r\n";
  while (job.size() < 256 * 1024) job += "0123456789abcdef\r";
  job += kCut;
  termios during{};
  QByteArray got;
  std::thread reader([&] {
    char buf[4096];
    bool first = true;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < job.size() && clock.elapsed() < 5000) {
      const ssize_t n = ::read(master, buf, sizeof buf);
      if (n <= 0) continue;
      if (first) tcgetattr(keep, &during);
      first = false;
      got.append(buf, n);
    }
  });
  pp::SetTimeoutMs(5000);
  EXPECT_NO_THROW(PrnSend(job));
  reader.join();
  EXPECT_BYTES(job, got);
  EXPECT_EQ(cfgetospeed(&during), speed_t(B9600));
  EXPECT_EQ(during.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_FALSE(during.c_cflag & PARENB);
  EXPECT_FALSE(during.c_cflag & CSTOPB);
  ::close(keep);
  ::close(master);

  gsSetPrnDevice = dir_->filePath("ttyNone");
  EXPECT_THROW(PrnSend("x"), pp::PortError);
}

TEST_F(PortTest, NetworkPrinter) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  gsSetPrnPort = "LPT1";
  gsSetPrnDevice = QStringLiteral("tcp:127.0.0.1:%1").arg(server.serverPort());
  const QByteArray job = printtest::Cp949(QStringLiteral("영수증")) + kCut;
  PrnSend(job);
  ASSERT_TRUE(server.waitForNewConnection(2000));
  QTcpSocket *peer = server.nextPendingConnection();
  QByteArray got;
  while (peer->state() == QAbstractSocket::ConnectedState && peer->waitForReadyRead(500))
    got += peer->readAll();
  got += peer->readAll();
  EXPECT_BYTES(job + "\r\n", got);

  // Refused, and ports out of range.
  const quint16 port = server.serverPort();
  server.close();
  gsSetPrnDevice = QStringLiteral("tcp:127.0.0.1:%1").arg(port);
  EXPECT_THROW(PrnSend(job), pp::PortError);
  for (const char *bad : {"tcp:host:0", "tcp:host:70000", "tcp::9100", "tcp:host:x"}) {
    gsSetPrnDevice = bad;
    EXPECT_THROW(PrnSend(job), pp::PortError) << bad;
  }
  QString host;
  quint16 p = 0;
  ASSERT_TRUE(pp::ParseTcp("tcp:printer", &host, &p));
  EXPECT_EQ(host, "printer");
  EXPECT_EQ(p, 9100);
}

TEST_F(PortTest, DeviceFilesAndFifos) {
  gsSetPrnPort = "LPT2";
  // A plain file standing in for a device: appended to.
  const QString file = dir_->filePath("lp0");
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  gsSetPrnDevice = file;
  PrnSend("job");
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_BYTES("job\r\n", f.readAll());
  }
  // Missing device.
  gsSetPrnDevice = dir_->filePath("lp9");
  EXPECT_THROW(PrnSend("job"), pp::PortError);

  // A FIFO without a reader fails at open, at once.
  const QString fifo = dir_->filePath("fifo");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  gsSetPrnDevice = fifo;
  QElapsedTimer clock;
  clock.start();
  EXPECT_THROW(PrnSend("job"), pp::PortError);
  EXPECT_LT(clock.elapsed(), 1000);

  // A reader that never reads: a job larger than the pipe fails by time-out.
  const int reader = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  clock.restart();
  try {
    PrnSend(QByteArray(70 * 1024, 'x'));
    ADD_FAILURE() << "a stalled device did not fail";
  } catch (const pp::PortError &e) {
    EXPECT_TRUE(e.Text().startsWith("LPT2")) << e.what();
  }
  EXPECT_GE(clock.elapsed(), 90);
  EXPECT_LT(clock.elapsed(), 2000);
  ::close(reader);
}

}  // namespace
