#include "schema/month_tables.h"

#include "core/globals.h"
#include "schema/tables.h"

using orv::db::Connection;
using orv::db::DbError;
using orv::schema::TableDef;

namespace orv::schema {

QString MonthSuffix(int yymm) {
  if (yymm < 0 || yymm > 9999)
    throw DbError(db::kErrGeneric, QStringLiteral("잘못된 월 번호: %1").arg(yymm));
  if (yymm == 0) return {};
  return QString::number(yymm).rightJustified(4, '0');
}

}  // namespace orv::schema

namespace {

Connection &conn(int16_t onPos) { return onPos == 0 ? goDbMain : goDbPos; }

const TableDef &def(const char *base) {
  const TableDef *d = orv::schema::FindTable(QLatin1String(base));
  Q_ASSERT(d);
  return *d;
}

int16_t probe(Connection &c, const char *base, const QString &prefix, int16_t yymm) {
  const auto names = orv::schema::NamesFor(def(base), prefix, orv::schema::MonthSuffix(yymm));
  return orv::schema::ExistsTable(c, names.table);
}

void create(Connection &c, const char *base, const QString &prefix, int16_t yymm) {
  const TableDef &d = def(base);
  orv::schema::CreateTable(c, d, orv::schema::NamesFor(d, prefix, orv::schema::MonthSuffix(yymm)));
}

void ensure(Connection &c, const char *name) {
  if (!orv::schema::ExistsTable(c, QLatin1String(name))) create(c, name, {}, 0);
}

using Probe = int16_t (*)(const QString &, int16_t, int16_t);
using Creator = void (*)(const QString &, int16_t, int16_t);
struct Family {
  Probe exists;
  Creator create;
};

}  // namespace

#define ORV_MONTH_FAMILY(Base)                                                         \
  int16_t Exists##Base##Table(const QString &prefix, int16_t yymm, int16_t onPos) {    \
    return probe(conn(onPos), #Base, prefix, yymm);                                    \
  }                                                                                    \
  void Create##Base##Table(const QString &prefix, int16_t yymm, int16_t onPos) {       \
    create(conn(onPos), #Base, prefix, yymm);                                          \
  }
ORV_MONTH_FAMILY(PanChit)
ORV_MONTH_FAMILY(PanList)
ORV_MONTH_FAMILY(PanGods)
ORV_MONTH_FAMILY(PanCard)
ORV_MONTH_FAMILY(PanMoney)
ORV_MONTH_FAMILY(DlvChit)
ORV_MONTH_FAMILY(PosLogs)
#undef ORV_MONTH_FAMILY

#define ORV_POS_FAMILY(Base)                                           \
  int16_t Exists##Base##Table(const QString &prefix, int16_t yymm) {   \
    return probe(goDbPos, #Base, prefix, yymm);                        \
  }                                                                    \
  void Create##Base##Table(const QString &prefix, int16_t yymm) {      \
    create(goDbPos, #Base, prefix, yymm);                              \
  }
ORV_POS_FAMILY(PanChitT)
ORV_POS_FAMILY(PanListT)
ORV_POS_FAMILY(PanGodsT)
ORV_POS_FAMILY(PanCardT)
#undef ORV_POS_FAMILY

int16_t ExistsTrsMastTable(const QString &prefix, int16_t yymm) {
  return probe(goDbMain, "TrsMast", prefix, yymm);
}
int16_t ExistsTrsMastPosTable(const QString &prefix, int16_t yymm) {
  return probe(goDbPos, "TrsMast", prefix, yymm);
}
void CreateTrsMastTable(const QString &prefix, int16_t yymm) {
  create(goDbMain, "TrsMast", prefix, yymm);
}
void CreateTrsMastPosTable(const QString &prefix, int16_t yymm) {
  create(goDbPos, "TrsMast", prefix, yymm);
}

void CreatePanChitOnOffTable(int16_t kind) {
  create(goDbPos, kind == 1 ? "PanChitOn" : "PanChitOff", {}, 0);
}
void CreatePanListOnOffTable(int16_t kind) {
  create(goDbPos, kind == 1 ? "PanListOn" : "PanListOff", {}, 0);
}
void CreateWatGodsSpeedTable() { create(goDbMain, "WatGodsSpeed", {}, 0); }
void CreateWatGodsTSpeedTable() { create(goDbPos, "WatGodsTSpeed", {}, 0); }

void CreateMonthTables(int16_t yymm) {
  if (yymm == 0) return;
  orv::schema::MonthSuffix(yymm);  // a bad month stops here, before any table is touched

  orv::schema::InOneCommit({&goDbMain, &goDbPos}, [yymm] {
    ensure(goDbMain, "WatGodsSpeed");
    ensure(goDbPos, "WatGodsTSpeed");
    ensure(goDbPos, "PanChitOn");
    ensure(goDbPos, "PanListOn");
    ensure(goDbPos, "PanChitOff");
    ensure(goDbPos, "PanListOff");

    static constexpr Family kBoth[] = {
        {ExistsPanChitTable, CreatePanChitTable},   {ExistsPanListTable, CreatePanListTable},
        {ExistsPanGodsTable, CreatePanGodsTable},   {ExistsPanCardTable, CreatePanCardTable},
        {ExistsPanMoneyTable, CreatePanMoneyTable}, {ExistsDlvChitTable, CreateDlvChitTable},
        {ExistsPosLogsTable, CreatePosLogsTable},
    };
    for (int16_t onPos : {int16_t(0), int16_t(1)})
      for (const Family &f : kBoth)
        if (!f.exists({}, yymm, onPos)) f.create({}, yymm, onPos);

    using PosProbe = int16_t (*)(const QString &, int16_t);
    using PosCreator = void (*)(const QString &, int16_t);
    static constexpr struct {
      PosProbe exists;
      PosCreator create;
    } kCopies[] = {
        {ExistsPanChitTTable, CreatePanChitTTable}, {ExistsPanListTTable, CreatePanListTTable},
        {ExistsPanGodsTTable, CreatePanGodsTTable}, {ExistsPanCardTTable, CreatePanCardTTable},
        {ExistsTrsMastTable, CreateTrsMastTable},   {ExistsTrsMastPosTable, CreateTrsMastPosTable},
    };
    for (const auto &f : kCopies)
      if (!f.exists({}, yymm)) f.create({}, yymm);
  });
}
