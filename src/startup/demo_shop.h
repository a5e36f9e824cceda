#pragma once
// The embedded default: terminal settings pointing at two SQLite files in the data folder,
// their tables, and a small demo shop in the main database.
#include <QString>
#include <QStringList>

#include "platform/db.h"

namespace orv::demo {

// Prepares the embedded default when the data folder has no settings yet; keeps what is
// there otherwise. Returns false with a message in *error when something failed.
bool InitDemo(const QString &shopFile, QString *error);

// Makes every table on the database a connection text names (it must exist) and fills an
// empty one with the demo shop: a PostgreSQL main database for a try-out.
bool LoadDemoInto(const QString &connectionText, const QString &shopFile, QString *error);

// The demo's shared point server: the SQLite file ts.db in the data folder made from a
// points file (members, shops, the server's options), and this shop's scrambled options
// (shop 1, server "sqlite", database ts.db) in the main and the POS database. A one-off step:
// an existing ts.db is kept. Needs the demo shop (InitDemo) first.
bool MakeDemoPointServer(const QString &pointsFile, QString *error);
// The demo's loyalty service: client code "DEMO01" in both databases and the terminal
// setting gsSetOneMoaServer = url ("http://host[:port]").
bool SetDemoOneMoa(const QString &url, QString *error);

// Rows of a shop file: per table, the named columns and their rows. Throws
// std::runtime_error naming the line for a malformed file. A section written [pos: Table]
// holds rows the checkout keeps for itself (held and delivery chits): posOnly.
struct TableRows {
  QString table;
  QStringList columns;
  QList<QStringList> rows;
  bool posOnly = false;
};
QList<TableRows> ReadShopFile(const QString &path);

// Inserts the rows (empty fields as NULL) on goDbMain, or the connection given, in one
// transaction. {yyyy}, {mm}, {dd} and {yymm} in table names and fields become the date of
// loading, {yyyy-1d}, {mm-1d} and {dd-1d} the day before.
void LoadShopRows(const QList<TableRows> &tables);
void LoadShopRows(const QList<TableRows> &tables, db::Connection &conn);

// The tables of a shop that the POS database holds as copies of the main database's code
// tables (what the daily code copy brings), and the checkout's own rows; tables of rows
// that are sent are left out.
QList<TableRows> PosCodeTables(const QList<TableRows> &tables);
// The tables of a shop that go into the main database: all but the checkout's own.
QList<TableRows> MainTables(const QList<TableRows> &tables);

}  // namespace orv::demo
