#pragma once
// Helpers every test folder shares: temporary folders, SQLite files and PostgreSQL databases.
#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace orvtest {

// Gives each test program its own data folder.
class Environment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
};

// The data folder of this test program (emptied at exit).
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
