#pragma once
// Helpers every test folder shares: temporary folders, SQLite files and PostgreSQL databases.
#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/db.h"

namespace orvtest {

// Gives each test program its own data folder.
class Environment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
};

// The data folder of this test program (emptied at exit; ORVPOS_TEST_DATA_ROOT names it
// for a child program, and its parent removes it).
QString DataRoot();

// A fresh temporary folder, removed with the object.
std::unique_ptr<QTemporaryDir> MakeTempDir();

// Connection text of a new empty SQLite file in dir.
QString NewSqliteDatabase(const QString &dir, const QString &name = "test.db");

// The PostgreSQL server's connection text from ORVPOS_TEST_PG, or empty.
QString PgServerText();
// True when the server is there; otherwise skips the test (fails on CI instead).
bool RequirePg();
// Creates an empty database with a unique name on the test server and returns its
// connection text; dropped when the test program ends.
QString NewPgDatabase();

}  // namespace orvtest

// Use at the start of a PostgreSQL test.
#define ORV_REQUIRE_PG()                                                          \
  do {                                                                            \
    if (!::orvtest::RequirePg()) {                                                \
      if (!qEnvironmentVariableIsEmpty("CI"))                                     \
        FAIL() << "ORVPOS_TEST_PG is not set: run the tests through ./test.sh";   \
      GTEST_SKIP() << "no PostgreSQL server (ORVPOS_TEST_PG); run ./test.sh";     \
    }                                                                             \
  } while (0)

namespace orvtest {

// A test run once per engine: SQLite always, PostgreSQL when the server is there.
// Subclasses call EngineTest::SetUp() first and return when IsSkipped().
class EngineTest : public ::testing::TestWithParam<orv::db::Engine> {
 protected:
  void SetUp() override;
  bool Pg() const { return GetParam() == orv::db::Engine::PostgreSQL; }
  // A new empty database of the test's engine (SQLite: a file of that name).
  QString NewDatabase(const QString &sqliteName = "test.db");

  std::unique_ptr<QTemporaryDir> dir_;
};

// "SQLite" / "PostgreSQL", for INSTANTIATE_TEST_SUITE_P.
std::string EngineName(const ::testing::TestParamInfo<orv::db::Engine> &info);

}  // namespace orvtest

#define ORV_BOTH_ENGINES \
  ::testing::Values(orv::db::Engine::SQLite, orv::db::Engine::PostgreSQL), ::orvtest::EngineName
