#pragma once
// The frame every card agent here speaks (docs/van-wire.md): four ASCII digits giving the
// body's byte length, then the body in CP949, its fields separated by FS (0x1C), the first
// field a verb.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orv::van {

constexpr char kFs = '\x1c';
constexpr int kMaxFrameBody = 9999;

// The frame of the fields; empty with *error set when the body is over 9,999 bytes.
QByteArray EncodeFrame(const QStringList &fields, QString *error);

struct TakenFrame {
  bool complete = false;  // a whole frame was taken off the buffer
  bool ok = false;        // and it parsed
  QStringList fields;
  QString error;
};
// Takes the first frame off the front of buffer. Incomplete: the buffer stays. A length that
// is not four digits or a body that is not CP949 is an error and the buffer is emptied.
TakenFrame TakeFrame(QByteArray &buffer);

// `<number>=<value>` fields (KIS members, SMARTRO fields) and key FS value pairs.
QString NumberedField(int number, const QString &value);
// The value of number in fields, and whether it was there.
QString FindNumbered(const QStringList &fields, int number, bool *found = nullptr);

}  // namespace orv::van
