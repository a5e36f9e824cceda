#include "test_support.h"

#include <QDir>
#include <QUuid>
#include <vector>

#include "platform/datafolder.h"
#include "platform/db.h"

namespace orvtest {
namespace {
std::unique_ptr<QTemporaryDir> g_root;
std::vector<QString> g_pgDatabases;
}  // namespace

void Environment::SetUp() {
  // A child test program its parent may kill gets a folder the parent removes.
  const QString given = qEnvironmentVariable("ORVPOS_TEST_DATA_ROOT");
  if (!given.isEmpty() && QDir().mkpath(given)) {
    orv::datafolder::SetRoot(given);
    return;
  }
  g_root = std::make_unique<QTemporaryDir>();
  orv::datafolder::SetRoot(g_root->path());
}

void Environment::TearDown() {
  if (!g_pgDatabases.empty()) {
    try {
      orv::db::Connection admin;
      admin.Open(PgServerText());
      for (const QString &name : g_pgDatabases)
        admin.TryExecute("DROP DATABASE IF EXISTS \"" + name + "\" WITH (FORCE)");
    } catch (...) {
    }
  }
  g_root.reset();
}

QString DataRoot() { return orv::datafolder::Root(); }

std::unique_ptr<QTemporaryDir> MakeTempDir() { return std::make_unique<QTemporaryDir>(); }

QString NewSqliteDatabase(const QString &dir, const QString &name) {
  QString text = orv::db::BuildConnectionText("", "SQLite", "", "", QDir(dir).filePath(name));
  orv::db::Connection::CreateDatabase(text);
  return text;
}

QString PgServerText() { return qEnvironmentVariable("ORVPOS_TEST_PG"); }

bool RequirePg() { return !PgServerText().isEmpty(); }

QString NewPgDatabase() {
  orv::db::ConnectionText ct = orv::db::ParseConnectionText(PgServerText());
  QString name = "orvtest_" + QUuid::createUuid().toString(QUuid::Id128).left(16);
  QString text = orv::db::BuildConnectionText(ct.server, "PostgreSQL", ct.uid, ct.pwd, name);
  orv::db::Connection::CreateDatabase(text);
  g_pgDatabases.push_back(name);
  return text;
}

void EngineTest::SetUp() {
  if (Pg()) {
    ORV_REQUIRE_PG();
  } else {
    dir_ = MakeTempDir();
  }
}

QString EngineTest::NewDatabase(const QString &sqliteName) {
  return Pg() ? NewPgDatabase() : NewSqliteDatabase(dir_->path(), sqliteName);
}

std::string EngineName(const ::testing::TestParamInfo<orv::db::Engine> &info) {
  return info.param == orv::db::Engine::SQLite ? "SQLite" : "PostgreSQL";
}

}  // namespace orvtest
