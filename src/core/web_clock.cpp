#include "core/web_clock.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "core/connections.h"
#include "platform/clock.h"
#include "platform/http.h"

namespace {

// The number at 1-based positions [from, from+len) of s; nullopt unless all are digits.
std::optional<int16_t> DigitsAt(const QString &s, int from, int len) {
  int v = 0;
  for (int i = from - 1; i < from - 1 + len; ++i) {
    if (i >= s.size()) return std::nullopt;
    const QChar c = s[i];
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    v = v * 10 + (c.unicode() - '0');
  }
  return int16_t(v);
}

}  // namespace

std::optional<WebDateTime> ParseDatePageReply(const QString &reply) {
  static const QString kMarker = QStringLiteral("~> Date:");
  QString r = reply;
  r.remove(QLatin1Char('\r'));
  r.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  const qsizetype at = r.indexOf(kMarker);
  // A marker at the very first character does not count.
  if (at < 1) return std::nullopt;
  const QString t = r.mid(at + kMarker.size(), 19);
  const auto y = DigitsAt(t, 1, 4), mo = DigitsAt(t, 6, 2), d = DigitsAt(t, 9, 2),
             h = DigitsAt(t, 12, 2), mi = DigitsAt(t, 15, 2), s = DigitsAt(t, 18, 2);
  if (!y || !mo || !d || !h || !mi || !s) return std::nullopt;
  return WebDateTime{*y, *mo, *d, *h, *mi, *s};
}

void GetWebDateTime() {
  const QString base = orv::web::WebServerBase();
  if (base.isEmpty()) return;
  const auto reply =
      orv::http::Get(base + QStringLiteral("/orvmydatetime.php"), orv::web::kDatePageTimeoutMs);
  if (!reply.Success()) return;
  const auto dt = ParseDatePageReply(reply.Text());
  if (!dt) return;
  SetPcDate(dt->year, dt->month, dt->day);
  SetPcTime(dt->hour, dt->minute, dt->second);
}

void SetPcDate(int16_t year, int16_t month, int16_t day) {
  if (year < 2012 || year > 2099) return;
  if (month <= 0 || month >= 13) return;
  if (day <= 0 || day >= 32) return;
  const QDate date(year, month, day);
  if (!date.isValid()) return;  // 31 February
  orv::clock::SetMachineDateTime(QDateTime(date, orv::clock::Now().time()));
}

void SetPcTime(int16_t hour, int16_t minute, int16_t second) {
  if (hour < 0 || hour > 23) return;
  if (minute < 0 || minute >= 60) return;
  if (second < 0 || second >= 60) return;
  orv::clock::SetMachineDateTime(QDateTime(orv::clock::Now().date(), QTime(hour, minute, second)));
}
