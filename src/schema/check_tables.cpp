#include "schema/check_tables.h"

#include "core/globals.h"
#include "schema/tables.h"

using orv::schema::TableDef;

void CheckDBTables() {
  orv::schema::InOneCommit({&goDbPos}, [] {
    for (const TableDef &def : orv::schema::LoginTables()) {
      if (!orv::schema::ExistsTable(goDbPos, QLatin1String(def.name)))
        orv::schema::CreateTable(goDbPos, def, orv::schema::NamesFor(def));
    }
    orv::schema::EnsureLookupIndexes(goDbPos);
  });
  // The main database's lookups want the same indexes; where they cannot be made there,
  // the lookups are only slower.
  if (goDbMain.IsOpen() && !goDbMain.SharesSessionWith(goDbPos)) {
    try {
      orv::schema::EnsureLookupIndexes(goDbMain);
    } catch (const orv::db::DbError &) {
    }
  }
  if (!ExistsTemDataTable(0)) CreateTemDataTable(0);
  if (!ExistsTemDataTable(1)) CreateTemDataTable(1);
}

int16_t ExistsTemDataTable(int16_t onPos) {
  return orv::schema::ExistsTable(onPos == 0 ? goDbMain : goDbPos, "TemData");
}

void CreateTemDataTable(int16_t onPos) {
  orv::schema::CreateTable(onPos == 0 ? goDbMain : goDbPos, "TemData");
}
