#include "customer/ts_tables.h"

#include "core/globals.h"
#include "core/state.h"
#include "schema/month_tables.h"
#include "schema/tables.h"

using namespace orv;

namespace {

enum Which { kPanChitT, kPanListT, kCstWnjgT, kPosLogs };

int16_t g_madeMonth = 0;  // the last month made whole on the open point server

const schema::TableDef &def(Which w) { return schema::PointServerTables()[std::size_t(w)]; }

schema::TableNames names(Which w, int16_t yymm) {
  return schema::NamesFor(def(w), {}, schema::MonthSuffix(yymm));
}

int16_t exists(Which w, int16_t yymm) { return TsTableExists(names(w, yymm).table); }

QStringList build(Which w, int16_t yymm) {
  return schema::CreateStatements(def(w), names(w, yymm), goDbTs.engine());
}

void ensure(Which w, int16_t yymm) {
  if (exists(w, yymm) == 0) schema::CreateTable(goDbTs, def(w), names(w, yymm));
}

}  // namespace

int16_t TsTableExists(const QString &name) { return schema::ExistsTable(goDbTs, name); }

int16_t ExistsTsPanChitTTable(int16_t yymm) { return exists(kPanChitT, yymm); }
int16_t ExistsTsPanListTTable(int16_t yymm) { return exists(kPanListT, yymm); }
int16_t ExistsTsCstWnjgTTable(int16_t yymm) { return exists(kCstWnjgT, yymm); }
int16_t ExistsTsPosLogsTable(int16_t yymm) { return exists(kPosLogs, yymm); }
QStringList BuildTsPanChitTTable(int16_t yymm) { return build(kPanChitT, yymm); }
QStringList BuildTsPanListTTable(int16_t yymm) { return build(kPanListT, yymm); }
QStringList BuildTsCstWnjgTTable(int16_t yymm) { return build(kCstWnjgT, yymm); }
QStringList BuildTsPosLogsTable(int16_t yymm) { return build(kPosLogs, yymm); }
void EnsureTsPanChitTTable(int16_t yymm) { ensure(kPanChitT, yymm); }
void EnsureTsPanListTTable(int16_t yymm) { ensure(kPanListT, yymm); }
void EnsureTsCstWnjgTTable(int16_t yymm) { ensure(kCstWnjgT, yymm); }
void EnsureTsPosLogsTable(int16_t yymm) { ensure(kPosLogs, yymm); }

void CreateTsTables(int16_t yymm) {
  if (yymm <= 0) return;
  EnsureTsPanChitTTable(yymm);
  EnsureTsPanListTTable(yymm);
  EnsureTsCstWnjgTTable(yymm);
  EnsureTsPosLogsTable(yymm);
  g_madeMonth = yymm;
}

void EnsureTsMonth(int16_t yymm) {
  if (yymm > 0 && yymm == g_madeMonth) return;
  CreateTsTables(yymm);
}

void ForgetTsMonths() { g_madeMonth = 0; }

static const bool kResetRegistered = orv::state::RegisterReset(&ForgetTsMonths);
