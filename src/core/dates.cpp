#include "core/dates.h"

#include <cstdlib>

#include "core/values.h"

namespace {

// The plain decimal text of n padded with "0" on the left and cut to its last `width`.
QString R(int n, int width) { return PadLeft0(QString::number(n), width); }

}  // namespace

QString FmtYmd(int16_t year, int16_t month, int16_t day, int16_t style, int16_t blankFlag) {
  if (blankFlag == 1 && (year == 0 || month == 0 || day == 0)) return QString();
  // int holds the magnitude of -32768 too.
  const QString y = R(std::abs(int(year)), 4), m = R(std::abs(int(month)), 2),
                d = R(std::abs(int(day)), 2);
  switch (style) {
    case 0: return y + m + d;
    case 1: return y + u'.' + m + u'.' + d;
    case 2: return y + u'-' + m + u'-' + d;
    default: return QString();
  }
}

QString FmtYyMm(int16_t year, int16_t month) {
  int y = year, m = month;
  if (m == 0) {
    --y;
    m = 12;
  } else if (m == 13) {
    ++y;
    m = 1;
  }
  return R(y, 2) + R(m, 2);
}

int16_t YyMmNum(int16_t year, int16_t month) {
  return int16_t(NzCur(R(year, 2) + R(month, 2)).raw() / orv::Currency::kScale);
}

QString Pad4(int32_t number) { return number <= 0 ? QString() : R(number, 4); }
