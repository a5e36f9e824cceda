#pragma once
// Throwaway databases for the benchmarks: SQLite files in a temporary folder, and
// PostgreSQL databases on the server ORVPOS_TEST_PG names, dropped at the end.
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>

#include "platform/db.h"

namespace orvbench {

inline bool HavePg() { return !qEnvironmentVariableIsEmpty("ORVPOS_TEST_PG"); }

class Databases {
 public:
  explicit Databases(QString prefix) : prefix_(std::move(prefix)) {}
  ~Databases() { DropPg(); }

  // A fresh empty database; its connection text.
  QString New(bool pg) {
    if (!pg) {
      QString path = QDir(tmp_.path()).filePath(QString("%1%2.db").arg(prefix_).arg(++files_));
      QString text = orv::db::BuildConnectionText("", "SQLite", "", "", path);
      orv::db::Connection::CreateDatabase(text);
      return text;
    }
    auto ct = orv::db::ParseConnectionText(qEnvironmentVariable("ORVPOS_TEST_PG"));
    QString name = "orv" + prefix_ + "_" + QUuid::createUuid().toString(QUuid::Id128).left(12);
    QString text = orv::db::BuildConnectionText(ct.server, "PostgreSQL", ct.uid, ct.pwd, name);
    orv::db::Connection::CreateDatabase(text);
    pg_ << name;
    return text;
  }

  // Call after every connection to them is closed.
  void DropPg() {
    if (pg_.isEmpty()) return;
    try {
      orv::db::Connection admin;
      admin.Open(qEnvironmentVariable("ORVPOS_TEST_PG"));
      for (const QString &n : pg_) admin.TryExecute("DROP DATABASE IF EXISTS " + n);
    } catch (const orv::db::DbError &e) {
      std::fprintf(stderr, "could not drop the benchmark databases: %s\n", e.what());
    }
    pg_.clear();
  }

 private:
  QString prefix_;
  QTemporaryDir tmp_;
  int files_ = 0;
  QStringList pg_;
};

}  // namespace orvbench
