#include "display/avi_writer.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>

namespace orv::display {

namespace {

void U32(QByteArray &b, quint32 v) {
  char c[4];
  qToLittleEndian(v, c);
  b.append(c, 4);
}
void U16(QByteArray &b, quint16 v) {
  char c[2];
  qToLittleEndian(v, c);
  b.append(c, 2);
}
QByteArray Chunk(const char *id, const QByteArray &data) {
  QByteArray b(id, 4);
  U32(b, quint32(data.size()));
  b += data;
  if (data.size() % 2) b.append('\0');
  return b;
}
QByteArray List(const char *type, const QByteArray &data) {
  return Chunk("LIST", QByteArray(type, 4) + data);
}

// One picture as the stream holds it: BGR, rows from the bottom up.
QByteArray Frame(const QString &caption, int w, int h, int index, int count) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(QColor::fromHsv((index * 360 / std::max(count, 1)) % 360, 160, 220));
  QPainter p(&img);
  QFont f = p.font();
  f.setPixelSize(std::max(8, h / 6));
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(img.rect(), Qt::AlignCenter | Qt::TextWordWrap, caption);
  p.end();
  QByteArray out;
  out.reserve(w * h * 3);
  for (int y = h - 1; y >= 0; --y) {
    const uchar *row = img.constScanLine(y);
    for (int x = 0; x < w; ++x) {
      out.append(char(row[3 * x + 2]));
      out.append(char(row[3 * x + 1]));
      out.append(char(row[3 * x]));
    }
  }
  return out;
}

}  // namespace

bool WriteColourAvi(const QString &path, const QString &caption, int width, int height,
                    int frames, int fps) {
  if (width <= 0 || height <= 0 || width % 4 || frames <= 0 || fps <= 0) return false;
  const quint32 frameBytes = quint32(width * height * 3);

  QByteArray avih;
  U32(avih, quint32(1000000 / fps));
  U32(avih, frameBytes * quint32(fps));
  U32(avih, 0);
  U32(avih, 0x10);  // has an index
  U32(avih, quint32(frames));
  U32(avih, 0);
  U32(avih, 1);
  U32(avih, frameBytes);
  U32(avih, quint32(width));
  U32(avih, quint32(height));
  for (int i = 0; i < 4; ++i) U32(avih, 0);

  QByteArray strh("vidsDIB ", 8);
  U32(strh, 0);
  U16(strh, 0);
  U16(strh, 0);
  U32(strh, 0);
  U32(strh, 1);             // scale
  U32(strh, quint32(fps));  // rate
  U32(strh, 0);
  U32(strh, quint32(frames));
  U32(strh, frameBytes);
  U32(strh, 0xFFFFFFFF);
  U32(strh, 0);
  U16(strh, 0);
  U16(strh, 0);
  U16(strh, quint16(width));
  U16(strh, quint16(height));

  QByteArray strf;
  U32(strf, 40);
  U32(strf, quint32(width));
  U32(strf, quint32(height));
  U16(strf, 1);
  U16(strf, 24);
  U32(strf, 0);
  U32(strf, frameBytes);
  for (int i = 0; i < 4; ++i) U32(strf, 0);

  const QByteArray hdrl =
      List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));

  QByteArray movi, idx;
  for (int i = 0; i < frames; ++i) {
    idx += QByteArray("00db", 4);
    U32(idx, 0x10);
    U32(idx, quint32(4 + movi.size()));  // from the "movi" type
    U32(idx, frameBytes);
    movi += Chunk("00db", Frame(caption, width, height, i, frames));
  }
  const QByteArray body = QByteArray("AVI ", 4) + hdrl + List("movi", movi) + Chunk("idx1", idx);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const QByteArray riff = Chunk("RIFF", body);
  return f.write(riff) == riff.size() && f.flush();
}

}  // namespace orv::display
