#include "schema/schema.h"

#include <QDate>

#include "core/dates.h"
#include "core/globals.h"
#include "platform/clock.h"

void CheckTodaysTables() {
  CheckDBTables();
  const QDate today = orv::clock::Now().date();
  CreateMonthTables(YyMmNum(int16_t(today.year()), int16_t(today.month())));
}

void CreateSchemaOn(const QString &connectionText) {
  goDbPos.Open(connectionText);
  goDbMain.Open(connectionText);
  CheckTodaysTables();
}
