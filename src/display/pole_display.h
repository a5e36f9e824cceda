#pragma once
// The customer pole display on a serial line: the goods line just rung up, the sale total
// and, after payment, the money received and the change, in the byte layout of the model
// chosen in giSetDisp. The routines only format and send; the sale screen opens the port.
//
// The builders are pure: they give the writes in order, each already in CP949, each one
// Output of the port. Models 0, 4, 5 (the second monitor) and unknown ones give no write.
#include <QByteArray>
#include <QList>
#include <QString>

namespace orv {
class Grid;
namespace serial {
class Port;
}
}  // namespace orv

namespace orv::display {

// Field texts as the routines take them from the grid: quantity in plain number form,
// unit price and line total through FmtAmt, the name as it stands.
struct GoodsLineFields {
  QString qty, price, amount, name;
};

QList<QByteArray> GoodsLineWrites(int model, const GoodsLineFields &f);
QList<QByteArray> TotalWrites(int model, const QString &total);
QList<QByteArray> ChangeWrites(int model, const QString &received, const QString &change,
                               const QString &total);

// Field helpers counting characters (a Hangul syllable is one): t right-aligned in n,
// losing its leading characters when longer; the first n characters of t.
QString RightIn(int n, const QString &t);
QString FirstChars(int n, const QString &t);

// A write may wait this long for the device; an absent device must not hold the sale.
inline constexpr int kPoleWriteTimeoutMs = 200;

// The row of the sale grid: quantity (3), unit price (4), line total (5), name (2).
// Stops at its first failed write. None of the three raises into its caller; a null or
// closed port sends nothing.
void DispGoodsLine(orv::serial::Port *port, orv::Grid *grid, int row);
// DispTotal and DispChange skip a failed write and try the next.
void DispTotal(orv::serial::Port *port, const QString &totalText);
void DispChange(orv::serial::Port *port, const QString &receivedText, const QString &changeText,
                const QString &totalText);

}  // namespace orv::display
