#include "startup/demo_shop.h"

#include <QDate>
#include <QFile>
#include <QTextStream>
#include <functional>
#include <stdexcept>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/scrambler.h"
#include "customer/onemoa.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/settings_store.h"
#include "schema/schema.h"
#include "schema/tables.h"
#include "startup/start_settings.h"

namespace orv::demo {

QList<TableRows> ReadShopFile(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
    throw std::runtime_error(("cannot read " + path).toStdString());
  QTextStream in(&f);
  in.setEncoding(QStringConverter::Utf8);
  QList<TableRows> out;
  int lineNo = 0;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    ++lineNo;
    if (line.isEmpty() || line.startsWith('#')) continue;
    auto bad = [&](const char *why) {
      return std::runtime_error(QString("%1:%2: %3").arg(path).arg(lineNo).arg(why).toStdString());
    };
    if (line.startsWith('[')) {
      if (!line.endsWith(']') || line.size() < 3) throw bad("bad table name");
      QString name = line.mid(1, line.size() - 2).trimmed();
      const bool posOnly = name.startsWith(QLatin1String("pos:"));
      if (posOnly) name = name.mid(4).trimmed();
      if (name.isEmpty()) throw bad("bad table name");
      out.push_back({name, {}, {}, posOnly});
      continue;
    }
    if (out.isEmpty()) throw bad("row before any [table]");
    QStringList fields = line.split('|');
    for (QString &s : fields) s = s.trimmed();
    TableRows &t = out.last();
    if (t.columns.isEmpty()) {
      t.columns = fields;
    } else {
      if (fields.size() != t.columns.size()) throw bad("wrong number of fields");
      t.rows.push_back(fields);
    }
  }
  return out;
}

// Monthly tables and dates of the day the shop is set up, and of the day before.
QString ThisMonth(QString text) {
  if (!text.contains('{')) return text;
  const QDate d = clock::Now().date();
  const QDate b = d.addDays(-1);
  return text.replace(QLatin1String("{yymm}"), QString::asprintf("%02d%02d", d.year() % 100, d.month()))
      .replace(QLatin1String("{yyyy}"), QString::number(d.year()))
      .replace(QLatin1String("{mm}"), QString::asprintf("%02d", d.month()))
      .replace(QLatin1String("{dd}"), QString::asprintf("%02d", d.day()))
      .replace(QLatin1String("{yyyy-1d}"), QString::number(b.year()))
      .replace(QLatin1String("{mm-1d}"), QString::asprintf("%02d", b.month()))
      .replace(QLatin1String("{dd-1d}"), QString::asprintf("%02d", b.day()));
}

void LoadShopRows(const QList<TableRows> &tables, db::Connection &conn) {
  db::Transaction tx(conn);
  for (const TableRows &t : tables) {
    QStringList marks;
    for (int i = 0; i < t.columns.size(); ++i) marks << QStringLiteral("?");
    db::Statement insert = conn.Prepare("INSERT INTO " + ThisMonth(t.table) + " (" +
                                        t.columns.join(", ") + ") VALUES (" + marks.join(", ") + ")");
    for (const QStringList &row : t.rows) {
      for (int i = 0; i < row.size(); ++i)
        insert.Bind(i, row[i].isEmpty() ? QVariant() : QVariant(ThisMonth(row[i])));
      insert.Execute();
    }
  }
  tx.Commit();
}

QList<TableRows> PosCodeTables(const QList<TableRows> &tables) {
  QList<TableRows> out;
  for (const TableRows &t : tables) {
    const schema::TableDef *def = schema::FindTable(t.table);
    if (t.posOnly || (def && schema::IsPosCodeTable(*def))) out << t;
  }
  return out;
}

QList<TableRows> MainTables(const QList<TableRows> &tables) {
  QList<TableRows> out;
  for (const TableRows &t : tables)
    if (!t.posOnly) out << t;
  return out;
}

void LoadShopRows(const QList<TableRows> &tables) { LoadShopRows(tables, goDbMain); }

namespace {
// The POS database the terminal settings name, or the embedded default before the first run.
QString PosDatabaseText() {
  if (!settings_store::GetSetting("Update").trimmed().isEmpty()) {
    LoadPosSettings();
    if (!gsSetPosDB.trimmed().isEmpty()) return gsSetPosDB;
  }
  return db::BuildConnectionText("", "SQLite", "", "", "pos.db");
}

// Offline work runs on the POS database alone: it gets what the daily code copy would
// bring, and nothing that would later be sent to the main database as this checkout's own.
void FillPosCodes(const QList<TableRows> &shop, const QString &posText) {
  if (!db::Connection::DatabaseExists(posText)) db::Connection::CreateDatabase(posText);
  CreateSchemaOn(posText);
  if (goDbPos.OpenRecordset("SELECT * FROM LogOn").RecordCount() == 0)
    LoadShopRows(PosCodeTables(shop), goDbPos);
  goDbMain.Close();
  goDbPos.Close();
}

// Runs a preparing step; a failure becomes the message in *error, with the connections
// closed either way.
bool guarded(QString *error, const std::function<void()> &step) {
  bool ok = false;
  try {
    step();
    ok = true;
  } catch (const db::DbError &e) {
    if (error) *error = e.Description;
  } catch (const std::exception &e) {
    if (error) *error = QString::fromStdString(e.what());
  }
  goDbMain.Close();
  goDbPos.Close();
  return ok;
}
}  // namespace

bool LoadDemoInto(const QString &connectionText, const QString &shopFile, QString *error) {
  return guarded(error, [&] {
    const QList<TableRows> shop = ReadShopFile(shopFile);
    CreateSchemaOn(connectionText);
    if (goDbMain.OpenRecordset("SELECT * FROM LogOn").RecordCount() == 0)
      LoadShopRows(MainTables(shop), goDbMain);
    goDbMain.Close();
    goDbPos.Close();
    FillPosCodes(shop, PosDatabaseText());
  });
}

bool InitDemo(const QString &shopFile, QString *error) {
  if (!settings_store::GetSetting("Update").trimmed().isEmpty()) return true;
  return guarded(error, [&] {
    const QList<TableRows> shop = ReadShopFile(shopFile);
    const QString mainText = db::BuildConnectionText("", "SQLite", "", "", "main.db");
    const QString posText = db::BuildConnectionText("", "SQLite", "", "", "pos.db");
    for (const QString &text : {mainText, posText}) {
      if (!db::Connection::DatabaseExists(text)) db::Connection::CreateDatabase(text);
    }
    CreateSchemaOn(mainText);
    if (goDbMain.OpenRecordset("SELECT * FROM LogOn").RecordCount() == 0)
      LoadShopRows(MainTables(shop), goDbMain);
    goDbMain.Close();
    goDbPos.Close();
    FillPosCodes(shop, posText);

    SetFirstRunPosSettings();
    gsSetMainDB = mainText;
    gsSetPosDB = posText;
    gsSetPrnPort = "LPT1";
    giSetPrint = 2;  // the demo prints, to LPT1.prn until gsSetPrnDevice names a printer
    // Cards go to the First Data agent's simulator, found beside the program.
    giSetVan = 4;
    gsSetDanId = QStringLiteral("DEMO0001");
    gsSetVanAgent = QStringLiteral("orvvansim-fdk");
    for (const TableRows &t : shop) {
      if (t.table.compare(QLatin1String("ComCode"), Qt::CaseInsensitive) != 0 || t.rows.isEmpty()) continue;
      const int col = t.columns.indexOf(QStringLiteral("ComSaupNo"));
      if (col >= 0) gsSaupNo = t.rows.first().value(col).trimmed();
    }
    SavePosSettings();
  });
}

namespace {
// Replaces one option row of OrvRegistry on a connection.
void PutOption(db::Connection &c, const QString &key, const QVariant &regInt,
               const QVariant &regChar, const QVariant &regText) {
  db::Statement del = c.Prepare("DELETE FROM OrvRegistry WHERE RegKey = ?");
  del.Bind(0, key);
  del.Execute();
  db::Statement ins =
      c.Prepare("INSERT INTO OrvRegistry(RegKey, RegInt, RegChar, RegText) VALUES(?, ?, ?, ?)");
  ins.Bind(0, key);
  ins.Bind(1, regInt);
  ins.Bind(2, regChar);
  ins.Bind(3, regText);
  ins.Execute();
}

// Both databases of the terminal settings, each option written in one transaction.
void PutOptions(const std::function<void(db::Connection &)> &put) {
  LoadPosSettings();
  if (gsSetMainDB.trimmed().isEmpty() || gsSetPosDB.trimmed().isEmpty())
    throw std::runtime_error("no demo shop: run --init-demo first");
  goDbMain.Open(gsSetMainDB);
  goDbPos.Open(gsSetPosDB);
  for (db::Connection *c : {&goDbMain, &goDbPos}) {
    db::Transaction tx(*c);
    put(*c);
    tx.Commit();
  }
}
}  // namespace

bool MakeDemoPointServer(const QString &pointsFile, QString *error) {
  return guarded(error, [&] {
    const QList<TableRows> rows = ReadShopFile(pointsFile);
    const QString tsPath = datafolder::Path(QStringLiteral("ts.db"));
    if (!QFile::exists(tsPath)) {
      const QString tsText = db::BuildConnectionText("", "SQLite", "", "", tsPath);
      db::Connection::CreateDatabase(tsText);
      db::Connection ts;
      ts.Open(tsText);
      for (const char *table : {"CstCode", "OrvRegistry", "ComCode"})
        schema::CreateTable(ts, QLatin1String(table));
      LoadShopRows(rows, ts);
    }
    PutOptions([](db::Connection &c) {
      PutOption(c, QStringLiteral("SupTrsNo"), 1, QVariant(), QVariant());
      for (const auto &[key, value] :
           {std::pair{"PosServerName", "sqlite"}, std::pair{"PosServerDB", "ts.db"},
            std::pair{"PosServerID", "demo"}, std::pair{"PosServerPass", "demo"}})
        PutOption(c, QLatin1String(key), 0, QVariant(),
                  EncodeSetting(QString::fromLatin1(value)));
    });
  });
}

bool SetDemoOneMoa(const QString &url, QString *error) {
  QString server = url.trimmed();
  while (server.endsWith('/')) server.chop(1);
  if (!server.startsWith(QLatin1String("http://")) || server.size() <= 7) {
    if (error) *error = QStringLiteral("the address must read http://host[:port]: ") + url;
    return false;
  }
  return guarded(error, [&] {
    PutOptions([](db::Connection &c) {
      PutOption(c, QStringLiteral("OneMoaClientCode"), 0, QStringLiteral("DEMO01"), QVariant());
    });
    if (!settings_store::SaveSetting(QLatin1String(onemoa::kServerKey), server))
      throw std::runtime_error("the terminal settings could not be written");
  });
}

}  // namespace orv::demo
