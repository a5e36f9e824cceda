#pragma once
// What every card-agent simulator shares: the frame (four digits of body length, the body in
// CP949, fields separated by FS), the scenario file and the journal.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

class QTcpSocket;

namespace vansim {

constexpr char kFs = '\x1c';

QByteArray ToCp949(const QString &text);
// False when the bytes are not CP949.
bool FromCp949(const QByteArray &bytes, QString *text);

QByteArray Frame(const QStringList &fields);
// Reads one frame from f; false at the end of the input or on a broken frame.
bool ReadFrame(FILE *f, QStringList *fields, QByteArray *raw);
// Takes one whole frame off the front of buffer; false while it is incomplete. A body that
// is not CP949 reads as the one field "?".
bool TakeFrame(QByteArray &buffer, QStringList *fields, QByteArray *raw);
void WriteAll(FILE *f, const QByteArray &bytes);

// One line of the scenario file per request the simulator answers: words "key=value"
// (or a bare word, which reads as "word=1"). Lines starting with '#' are skipped.
// The file is named by ORVVANSIM_SCENARIO; its lines are used in turn, then the default.
class Scenario {
 public:
  Scenario();
  // The next line's words, empty when the file has no more.
  QMap<QString, QString> Next();

 private:
  QStringList lines_;
  int next_ = 0;
};

// Appends a line to the journal named by ORVVANSIM_JOURNAL (none when unset): the request's
// values and its raw bytes in hex.
void Journal(const QString &what, const QByteArray &raw);

// Listens on loopback at the port of argv[1] (0 or none: any free one), prints "port <n>" and
// calls onData with each connection's socket and its bytes so far (the callee takes what it
// uses off the buffer). Runs the event loop; returns the exit code.
int ServeTcp(int argc, char **argv, const std::function<void(QTcpSocket *, QByteArray &)> &onData);

// Milliseconds of a "delay" word.
void SleepMs(int ms);

}  // namespace vansim
