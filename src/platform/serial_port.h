#pragma once
// Serial ports of the checkout (pole display, scanner, serial receipt printer), set up the
// way the terminal settings describe them: a COM number, a line-settings text such as
// "9600,N,8,1", a receive threshold, a buffer size and a handshaking number. Failures
// carry the classic error numbers the settings screens and messages speak of (8002 for a
// port that does not exist).
//
// COM n is the device /dev/ttyS(n-1), unless the environment variable ORVPOS_COMn names
// another one (a USB adapter, or a pseudo-terminal in tests).
#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <optional>
#include <stdexcept>

namespace orv::serial {

// Error numbers.
enum : int {
  kErrInvalidProperty = 380,  // the settings text cannot be read
  kErrInvalidPort = 8002,     // no such port
  kErrPortOpen = 8005,        // the port is open already
  kErrPortInUse = 8010,       // held by another program, or not ours to open
  kErrCommState = 8015,       // the device refused the line settings
  kErrPortClosed = 8018,      // reading or writing a closed port
  kErrDevice = 8020,          // any other failure of the device
};

class SerialError : public std::runtime_error {
 public:
  SerialError(int number, const QString &description);
  int Number;
  QString Description;
};

// The device of COM n; empty for n < 1 without an ORVPOS_COMn override.
QString DevicePath(int port);

struct LineSettings {
  qint32 baud = 9600;
  QSerialPort::Parity parity = QSerialPort::NoParity;
  QSerialPort::DataBits dataBits = QSerialPort::Data8;
  QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};
// "baud,parity,data,stop": parity N, E, O, M or S; data 5 to 8; stop 1, 1.5 or 2. Spaces
// and letter case do not matter. Nothing for anything else.
std::optional<LineSettings> ParseSettings(const QString &text);

// Handshaking numbers. The device takes one flow control only: RTS/CTS together with
// XON/XOFF (3) runs as RTS/CTS.
enum Handshaking : int { kNoHandshaking = 0, kXonXoff = 1, kRtsCts = 2, kRtsXonXoff = 3 };
QSerialPort::FlowControl FlowControlOf(int handshaking);

class Port : public QObject {
  Q_OBJECT
 public:
  explicit Port(QObject *parent = nullptr);
  ~Port() override;

  // Set before opening; they act at the next Open.
  int CommPort() const { return commPort_; }
  void SetCommPort(int port) { commPort_ = port; }
  // A device named outright (the receipt printer's own setting) in place of the COM
  // number's; empty goes back to the number.
  void SetDevicePath(const QString &path) { devicePath_ = path; }
  QString Settings() const { return settings_; }
  void SetSettings(const QString &settings) { settings_ = settings; }
  int InBufferSize() const { return inBufferSize_; }
  void SetInBufferSize(int bytes) { inBufferSize_ = bytes; }
  int Handshaking() const { return handshaking_; }
  void SetHandshaking(int handshaking) { handshaking_ = handshaking; }
  // OnComm is raised while at least this many bytes wait; 0 raises nothing.
  int RThreshold() const { return rThreshold_; }
  void SetRThreshold(int bytes) { rThreshold_ = bytes; }

  // Throws SerialError; a failed open leaves the port closed.
  void Open();
  void Close();  // closing a closed port does nothing
  bool PortOpen() const;
  void SetPortOpen(bool open) { open ? Open() : Close(); }

  // Every byte waiting; throws kErrPortClosed on a closed port.
  QByteArray Input();
  int InBufferCount();
  // Queues the bytes and waits up to timeoutMs for them to leave; throws on a closed port
  // or a failed write.
  void Output(const QByteArray &bytes, int timeoutMs = 5000);

  // The device the open port uses, else the one it would open.
  QString DeviceName() const;

 signals:
  void OnComm();

 private:
  void received();
  [[noreturn]] void fail(int number, const QString &description);

  QSerialPort port_;
  int commPort_ = 0;
  QString settings_;
  QString device_;
  QString devicePath_;
  int inBufferSize_ = 1024;
  int handshaking_ = kNoHandshaking;
  int rThreshold_ = 0;
};

// The load's message for a port that would not open: error 8002 tells the cashier the port
// number is wrong and which device ("CDP", "스캐너") cannot work; any other error shows
// "[number]description" as a Yes/No box whose answer is not used.
void ShowOpenFailure(int port, const SerialError &error, const QString &device);

}  // namespace orv::serial
