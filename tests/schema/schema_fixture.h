#pragma once
// A POS database and a working database on one engine: the same database (offline) or
// two (online), opened as goDbPos and goDbMain.
#include <gtest/gtest.h>

#include <QSet>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "core/globals.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "test_support.h"

namespace schematest {

struct Setup {
  orv::db::Engine engine;
  bool online;
};

inline std::string SetupName(const ::testing::TestParamInfo<Setup> &info) {
  return std::string(info.param.engine == orv::db::Engine::PostgreSQL ? "Pg" : "Sqlite") +
         (info.param.online ? "Online" : "Offline");
}

inline const Setup kAllSetups[] = {{orv::db::Engine::SQLite, false},
                                   {orv::db::Engine::SQLite, true},
                                   {orv::db::Engine::PostgreSQL, false},
                                   {orv::db::Engine::PostgreSQL, true}};

class SchemaFixture : public ::testing::TestWithParam<Setup> {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    if (GetParam().engine == orv::db::Engine::PostgreSQL) {
      ORV_REQUIRE_PG();
      posText_ = orvtest::NewPgDatabase();
      mainText_ = GetParam().online ? orvtest::NewPgDatabase() : posText_;
    } else {
      dir_ = orvtest::MakeTempDir();
      posText_ = orvtest::NewSqliteDatabase(dir_->path(), "pos.db");
      mainText_ =
          GetParam().online ? orvtest::NewSqliteDatabase(dir_->path(), "main.db") : posText_;
    }
    goDbPos.Open(posText_);
    goDbMain.Open(mainText_);
    giOnLine = GetParam().online ? 1 : 2;
  }
  void TearDown() override {
    orv::state::ResetProgramState();
    orv::clock::Reset();
  }

  bool online() const { return GetParam().online; }
  bool pg() const { return GetParam().engine == orv::db::Engine::PostgreSQL; }

  // Table names in lower case.
  static QSet<QString> Tables(orv::db::Connection &c) {
    QSet<QString> out;
    for (const QString &t : c.TablesWithPrefix("")) out.insert(t.toLower());
    return out;
  }

  static int Count(orv::db::Connection &c, const QString &table, const QString &where = {}) {
    auto rs = c.OpenRecordset("SELECT COUNT(*) AS n FROM " + table +
                              (where.isEmpty() ? QString() : " WHERE " + where));
    return rs.Field(0).toInt();
  }

  // Whether the key (primary key or unique key) of that name stands on the table.
  static bool HasKey(orv::db::Connection &c, const QString &table, const QString &key) {
    if (c.engine() == orv::db::Engine::PostgreSQL) {
      return c.OpenRecordset("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() "
                             "AND tablename = " + orv::db::SqlText(table.toLower()) +
                             " AND indexname = " + orv::db::SqlText(key.toLower()))
                 .RecordCount() == 1;
    }
    auto rs = c.OpenRecordset("SELECT sql FROM sqlite_master WHERE lower(tbl_name) = " +
                              orv::db::SqlText(table.toLower()) + " AND sql IS NOT NULL");
    for (; !rs.Eof(); rs.MoveNext()) {
      const QString sql = rs.Field(0).toString();
      if (sql.contains("CONSTRAINT " + key + " ", Qt::CaseInsensitive) ||
          sql.startsWith("CREATE UNIQUE INDEX " + key + " ", Qt::CaseInsensitive))
        return true;
    }
    return false;
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QString posText_;
  QString mainText_;
};

}  // namespace schematest
