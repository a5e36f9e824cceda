#include "platform/serial_port.h"

#include "platform/dialogs.h"

namespace orv::serial {

SerialError::SerialError(int number, const QString &description)
    : std::runtime_error(QString("[%1]%2").arg(number).arg(description).toStdString()),
      Number(number),
      Description(description) {}

QString DevicePath(int port) {
  const QString env = qEnvironmentVariable(QString("ORVPOS_COM%1").arg(port).toLatin1().constData());
  if (!env.isEmpty()) return env;
  return port > 0 ? QString("/dev/ttyS%1").arg(port - 1) : QString();
}

std::optional<LineSettings> ParseSettings(const QString &text) {
  const QStringList parts = text.split(',');
  if (parts.size() != 4) return std::nullopt;
  LineSettings s;
  bool ok = false;
  s.baud = parts[0].trimmed().toInt(&ok);
  if (!ok || s.baud <= 0) return std::nullopt;

  const QString parity = parts[1].trimmed().toUpper();
  if (parity == "N") s.parity = QSerialPort::NoParity;
  else if (parity == "E") s.parity = QSerialPort::EvenParity;
  else if (parity == "O") s.parity = QSerialPort::OddParity;
  else if (parity == "M") s.parity = QSerialPort::MarkParity;
  else if (parity == "S") s.parity = QSerialPort::SpaceParity;
  else return std::nullopt;

  const int data = parts[2].trimmed().toInt(&ok);
  if (!ok || data < 5 || data > 8) return std::nullopt;
  s.dataBits = QSerialPort::DataBits(data);

  const QString stop = parts[3].trimmed();
  if (stop == "1") s.stopBits = QSerialPort::OneStop;
  else if (stop == "1.5") s.stopBits = QSerialPort::OneAndHalfStop;
  else if (stop == "2") s.stopBits = QSerialPort::TwoStop;
  else return std::nullopt;
  return s;
}

QSerialPort::FlowControl FlowControlOf(int handshaking) {
  switch (handshaking) {
    case kXonXoff: return QSerialPort::SoftwareControl;
    case kRtsCts:
    case kRtsXonXoff: return QSerialPort::HardwareControl;
    default: return QSerialPort::NoFlowControl;
  }
}

Port::Port(QObject *parent) : QObject(parent) {
  connect(&port_, &QSerialPort::readyRead, this, &Port::received);
}

Port::~Port() { Close(); }

void Port::fail(int number, const QString &description) { throw SerialError(number, description); }

void Port::Open() {
  if (port_.isOpen()) fail(kErrPortOpen, QStringLiteral("포트가 이미 열려 있습니다"));
  const QString path = devicePath_.isEmpty() ? DevicePath(commPort_) : devicePath_;
  if (path.isEmpty()) fail(kErrInvalidPort, QStringLiteral("잘못된 포트 번호입니다"));
  const std::optional<LineSettings> s = ParseSettings(settings_);
  if (!s) fail(kErrInvalidProperty, QStringLiteral("잘못된 통신 설정입니다: ") + settings_);

  device_ = path;
  port_.setPortName(path);
  // Bytes beyond the buffer wait in the device until the program reads.
  port_.setReadBufferSize(inBufferSize_ > 0 ? inBufferSize_ : 0);
  if (!port_.open(QIODevice::ReadWrite)) {
    const QString why = port_.errorString();
    switch (port_.error()) {
      case QSerialPort::DeviceNotFoundError: fail(kErrInvalidPort, QStringLiteral("잘못된 포트 번호입니다 (") + path + ")");
      case QSerialPort::PermissionError: fail(kErrPortInUse, QStringLiteral("포트를 사용할 수 없습니다: ") + path + " (" + why + ")");
      case QSerialPort::OpenError: fail(kErrPortOpen, QStringLiteral("포트가 이미 열려 있습니다"));
      default: fail(kErrDevice, path + ": " + why);
    }
  }
  const bool ok = port_.setBaudRate(s->baud) && port_.setParity(s->parity) &&
                  port_.setDataBits(s->dataBits) && port_.setStopBits(s->stopBits) &&
                  port_.setFlowControl(FlowControlOf(handshaking_));
  if (!ok) {
    const QString why = port_.errorString();
    port_.close();
    fail(kErrCommState, QStringLiteral("통신 설정을 적용할 수 없습니다: ") + settings_ + " (" + why + ")");
  }
}

void Port::Close() {
  if (port_.isOpen()) port_.close();
}

bool Port::PortOpen() const { return port_.isOpen(); }

QByteArray Port::Input() {
  if (!port_.isOpen()) fail(kErrPortClosed, QStringLiteral("포트가 열려 있지 않습니다"));
  return port_.readAll();
}

int Port::InBufferCount() {
  if (!port_.isOpen()) fail(kErrPortClosed, QStringLiteral("포트가 열려 있지 않습니다"));
  return int(port_.bytesAvailable());
}

void Port::Output(const QByteArray &bytes, int timeoutMs) {
  if (!port_.isOpen()) fail(kErrPortClosed, QStringLiteral("포트가 열려 있지 않습니다"));
  if (port_.write(bytes) != bytes.size()) fail(kErrDevice, port_.errorString());
  while (port_.bytesToWrite() > 0)
    if (!port_.waitForBytesWritten(timeoutMs)) fail(kErrDevice, port_.errorString());
}

QString Port::DeviceName() const {
  return port_.isOpen() ? device_ : devicePath_.isEmpty() ? DevicePath(commPort_) : devicePath_;
}

void Port::received() {
  if (rThreshold_ > 0 && port_.bytesAvailable() >= rThreshold_) emit OnComm();
}

void ShowOpenFailure(int port, const SerialError &error, const QString &device) {
  const QString title = QStringLiteral("포트열기실패");
  if (error.Number == kErrInvalidPort) {
    dialogs::Info(QStringLiteral("현재 포트:Com") + QString::number(port) +
                      QStringLiteral("가 잘못되었습니다.") + "\r\n" + device +
                      QStringLiteral("가 제대로 작동될수 없습니다."),
                  title);
    return;
  }
  dialogs::MsgBox("[" + QString::number(error.Number) + "]" + error.Description,
                  dialogs::kYesNo | dialogs::kInformation, title);
}

}  // namespace orv::serial
