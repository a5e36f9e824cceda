#include "sync/now_time.h"

#include <QTime>

#include "platform/clock.h"

int16_t giNowHour = 0;
int16_t giNowMin = 0;

void SplitNowTime() {
  const QTime t = orv::clock::Now().time();
  giNowHour = int16_t(t.hour() == 0 ? 24 : t.hour());
  giNowMin = int16_t(t.minute());
}
