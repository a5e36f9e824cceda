#pragma once
// A pseudo-terminal pair standing in for a serial device: the program opens the slave
// through ORVPOS_COMn, the test plays the device on the master side.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

namespace orvtest {

class Pty {
 public:
  // Makes the pair and names its slave as COM `com` until the object goes.
  explicit Pty(int com) : com_(com) {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    name_ = QString::fromLocal8Bit(name);
    qputenv(EnvName().constData(), name_.toLocal8Bit());
  }
  ~Pty() {
    qunsetenv(EnvName().constData());
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }
  Pty(const Pty &) = delete;
  Pty &operator=(const Pty &) = delete;

  bool Ok() const { return master_ >= 0; }
  QString Name() const { return name_; }

  // The device sends bytes to the program.
  bool Send(const QByteArray &bytes) {
    return ::write(master_, bytes.constData(), size_t(bytes.size())) == bytes.size();
  }
  // What the program sent, waiting up to timeoutMs for `atLeast` bytes.
  QByteArray Received(int atLeast, int timeoutMs = 2000) {
    QByteArray out;
    QDeadlineTimer deadline(timeoutMs);
    while (out.size() < atLeast && !deadline.hasExpired()) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 10) > 0) {
        char buf[512];
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) out.append(buf, int(n));
      }
    }
    return out;
  }

 private:
  QByteArray EnvName() const { return "ORVPOS_COM" + QByteArray::number(com_); }
  int com_;
  int master_ = -1, slave_ = -1;
  QString name_;
};

}  // namespace orvtest
