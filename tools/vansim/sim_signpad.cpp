// The KIS sign pad: STX body ETX LRC frames on a serial line. "SIGN" FS card FS transaction
// asks for a signature; the pad answers "DONE" FS the 128x64 one-bit image in hex (always
// the same here) or "FAIL" FS a text. Started with a device path, or with --pty: it makes a
// pseudo-terminal, prints "pty <path>" and plays the pad on it. "NUMBER" lets the customer
// key a number: the pad answers "KEYED" FS the number (01012345678 unless the scenario says
// keyed=<digits>). A scenario line per request can say failed, silent, delay=<ms>, badlrc,
// keyed=<digits>.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "sim_common.h"

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';

char Lrc(const QByteArray &body) {
  char x = kEtx;
  for (char c : body) x ^= c;
  return x;
}

QByteArray PadFrame(const QStringList &fields, bool badLrc) {
  const QByteArray body = vansim::ToCp949(fields.join(QChar(vansim::kFs)));
  return kStx + body + kEtx + char(Lrc(body) ^ (badLrc ? 0x55 : 0));
}

// A frame, a diagonal and the letters' strokes: enough to see that it is a signature.
QByteArray Signature() {
  QByteArray dots(128 * 64 / 8, '\0');
  auto set = [&](int x, int y) { dots[y * 16 + x / 8] = char(dots[y * 16 + x / 8] | (0x80 >> (x % 8))); };
  for (int x = 0; x < 128; ++x) {
    set(x, 0);
    set(x, 63);
    set(x, 20 + (x * 24) / 128);
  }
  for (int y = 0; y < 64; ++y) {
    set(0, y);
    set(127, y);
  }
  return dots;
}

void WriteAll(int fd, const QByteArray &bytes) {
  const char *p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, size_t(left));
    if (n <= 0) return;
    p += n;
    left -= n;
  }
}

void MakeRaw(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;
  cfmakeraw(&t);
  cfsetispeed(&t, B57600);
  cfsetospeed(&t, B57600);
  tcsetattr(fd, TCSANOW, &t);
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    fprintf(stderr, "usage: orvvansim-signpad <device> | --pty\n");
    return 2;
  }
  int fd = -1;
  int keepSlave = -1;  // held open so the line stays up between the checkout's opens
  if (strcmp(argv[1], "--pty") == 0) {
    char name[256] = {};
    if (openpty(&fd, &keepSlave, name, nullptr, nullptr) != 0) {
      perror("openpty");
      return 1;
    }
    MakeRaw(keepSlave);
    printf("pty %s\n", name);
    fflush(stdout);
  } else {
    fd = ::open(argv[1], O_RDWR | O_NOCTTY);
    if (fd < 0) {
      perror(argv[1]);
      return 1;
    }
    MakeRaw(fd);
  }
  vansim::Scenario scenario;
  const QByteArray image = Signature().toHex().toUpper();
  QByteArray buffer;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 200) <= 0) {
      if (getppid() == 1) return 0;  // the starter is gone
      continue;
    }
    char chunk[512];
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n <= 0) {
      usleep(10000);
      continue;
    }
    buffer.append(chunk, int(n));
    for (;;) {
      const int stx = buffer.indexOf(kStx);
      if (stx < 0) {
        buffer.clear();
        break;
      }
      buffer.remove(0, stx);
      const int etx = buffer.indexOf(kEtx);
      if (etx < 0 || buffer.size() < etx + 2) break;
      const QByteArray raw = buffer.left(etx + 2);
      const QByteArray body = buffer.mid(1, etx - 1);
      buffer.remove(0, etx + 2);
      QString text;
      const bool ok = vansim::FromCp949(body, &text) && raw.at(etx + 1) == Lrc(body);
      const QStringList f = ok ? text.split(QChar(vansim::kFs)) : QStringList{QStringLiteral("?")};
      vansim::Journal(f.join(QStringLiteral(" | ")), raw);
      const QMap<QString, QString> now = scenario.Next();
      if (now.contains(QStringLiteral("silent"))) continue;
      vansim::SleepMs(now.value(QStringLiteral("delay")).toInt());
      const bool bad = now.contains(QStringLiteral("badlrc"));
      const bool number = ok && f.value(0) == QLatin1String("NUMBER");
      if (!ok || (f.value(0) != QLatin1String("SIGN") && !number))
        WriteAll(fd, PadFrame({QStringLiteral("FAIL"), QStringLiteral("알 수 없는 요청")}, bad));
      else if (now.contains(QStringLiteral("failed")))
        WriteAll(fd, PadFrame({QStringLiteral("FAIL"), QStringLiteral("서명 취소")}, bad));
      else if (number)
        WriteAll(fd, PadFrame({QStringLiteral("KEYED"),
                               now.value(QStringLiteral("keyed"), QStringLiteral("01012345678"))},
                              bad));
      else
        WriteAll(fd, PadFrame({QStringLiteral("DONE"), QString::fromLatin1(image)}, bad));
    }
  }
}
