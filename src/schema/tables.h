#pragma once
// Every table of the program as data, and the DDL made from it for each engine.
// Column order is a contract: the code copy moves rows between the main database and the
// POS database by position, so a table has the same columns in the same order in both.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>

#include "platform/db.h"

namespace orv::schema {

struct ColumnDef {
  const char *name;
  const char *type;  // as declared: decimal(10,0), int, bit, money, smallmoney, char(n), text
  bool notNull;
};

struct KeyDef {
  const char *name = nullptr;     // nullptr: the table has no such key
  const char *columns = nullptr;  // comma-separated, in key order
  bool present() const { return name != nullptr; }
  QStringList columnList() const;
};

struct TableDef {
  const char *name;
  std::span<const ColumnDef> columns;
  KeyDef primary;
  KeyDef unique;
  const char *seed = nullptr;  // statement run with the CREATE (SetupCode's one row)
};

// Indexes for the columns the lookups read by, search and sort by. A column written
// "fold:Name" is indexed as the dialect's Fold of it, exactly as the statements write it;
// nullable columns sort their nulls first on both engines.
// A monthly family (PanChitT, …) names its base table: every month of it (base + four
// digits) gets the index, named "IX_" + the month's table + "_" + name.
struct IndexDef {
  const char *table;
  const char *name;
  const char *columns;  // comma-separated
  bool monthly = false;
};
std::span<const IndexDef> AllIndexes();
// CREATE INDEX IF NOT EXISTS statements of one table's indexes.
QStringList IndexStatements(const QString &table, db::Engine engine);
// Makes the missing indexes of every table that exists on the connection, every month of
// a monthly family included.
void EnsureLookupIndexes(db::Connection &conn);

// Every definition: the login tables first, in the order of their probes.
std::span<const TableDef> AllTables();
// The month tables of the shared point server, in the order they are made: PanChitT,
// PanListT, CstWnjgT, PosLogs (their names take a yymm suffix).
std::span<const TableDef> PointServerTables();
// The 68 tables that CheckDBTables probes on the POS connection, in order.
std::span<const TableDef> LoginTables();
// Rows of a table that carries a sent flag (a column ending in Junsong, or the flags PlgSss1
// of the event rows and TemSss1 of the closing summary) are recorded by a checkout and sent
// to the main database.
bool CarriesSentFlag(const TableDef &def);
// The POS database's copies of the main database's code tables: the tables it holds that
// carry no sent flag. These are what the daily code copy brings.
bool IsPosCodeTable(const TableDef &def);
// By name, without regard to case; nullptr when there is no such table.
const TableDef *FindTable(const QString &name);

// The names one definition takes for a prefix and a month suffix ("" and "" give the
// definition's own names). Key names follow the table name, so they stay unique per
// schema, as PostgreSQL needs.
struct TableNames {
  QString table;
  QString primary;
  QString unique;
};
// Throws DbError when the prefix or suffix could not be part of a table name.
TableNames NamesFor(const TableDef &def, const QString &prefix = {},
                    const QString &suffix = {});

// The statements that make the table with its keys (and its seed row), in order.
QStringList CreateStatements(const TableDef &def, const TableNames &names, db::Engine engine);

// 1 when a user table of exactly that name exists on the connection (letter case aside),
// else 0. The probe text is left in gsSql.
int16_t ExistsTable(db::Connection &conn, const QString &name);

// Makes the table, its keys and its seed row in one transaction, so that none of them is
// left half made. When the statements fail because the table exists by now (another
// checkout made it between probe and CREATE), the table is there and that is success.
// Each statement passes through gsSql. Other errors go to the caller as DbError.
void CreateTable(db::Connection &conn, const TableDef &def, const TableNames &names);
// A table by its own name (no month suffix), e.g. CreateTable(conn, "OrvRegistry").
void CreateTable(db::Connection &conn, const QString &name);

// Every base table (LoginTables) missing on conn, made in one commit: the main database of
// a new shop as the checkout's start makes the POS database's.
void EnsureBaseTables(db::Connection &conn);

// Runs a batch of probes and creations with a transaction open on each open connection,
// so that the batch commits once instead of once per table. What was made before a
// failure is still committed; the failure goes on to the caller.
void InOneCommit(std::initializer_list<db::Connection *> conns, const std::function<void()> &batch);

}  // namespace orv::schema
