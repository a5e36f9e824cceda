#include <gtest/gtest.h>

#include "platform/db.h"
#include "test_support.h"

using namespace orv::db;

namespace {

// Runs the same checks on SQLite and, when the server is there, on PostgreSQL.
class DbBoth : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (IsSkipped()) return;
    text_ = NewDatabase();
  }
  QString text_;
};

}  // namespace

TEST(ConnectionTextTest, ParsesKeysBracesAndRejectsMalformed) {
  ConnectionText ct = ParseConnectionText(
      "server=db1,5433;driver={PostgreSQL};uid=pos;pwd={p;w=d}}x};database=OrvPos");
  EXPECT_EQ(ct.engine(), Engine::PostgreSQL);
  EXPECT_EQ(ct.host(), "db1");
  EXPECT_EQ(ct.port(), 5433);
  EXPECT_EQ(ct.pwd, "p;w=d}x");
  EXPECT_EQ(ct.database, "OrvPos");

  QString built = BuildConnectionText("h", "PostgreSQL", "u=1", "a;b", " db ");
  ConnectionText back = ParseConnectionText(built);
  EXPECT_EQ(back.uid, "u=1");
  EXPECT_EQ(back.pwd, "a;b");
  EXPECT_EQ(back.database, " db ");

  for (const char *bad : {"", "garbage", "server=x;driver={SQL Server};database=a",
                          "driver={SQLite}", "driver={SQLite};database={unclosed",
                          "server=h,notaport;driver={PostgreSQL};database=d",
                          "driver={PostgreSQL};database=d"}) {
    EXPECT_THROW(ParseConnectionText(bad), DbError) << bad;
  }
}

TEST(SqlTextTest, DoublesQuotes) {
  EXPECT_EQ(SqlText("O'Brien"), "'O''Brien'");
  EXPECT_EQ(SqlText(""), "''");
  EXPECT_EQ(SqlText("''"), "''''''");
}

TEST(ConnectionOpen, BadInputGivesDbError) {
  auto dir = orvtest::MakeTempDir();
  Connection c;
  EXPECT_THROW(c.Open("driver={SQLite};database=" + dir->path() + "/nofolder/x.db"), DbError);
  EXPECT_THROW(c.Open("driver={SQLite};database=" + dir->path() + "/missing.db"), DbError);
  EXPECT_THROW(c.Open("server=x;driver={Oracle};database=d"), DbError);
  EXPECT_FALSE(c.IsOpen());
  EXPECT_THROW(c.Execute("SELECT 1"), DbError);
  EXPECT_THROW(Connection::CreateDatabase("driver={SQLite};database=" + dir->path() +
                                          "/nofolder/x.db"),
               DbError);
}

TEST(ConnectionOpen, RefusedPostgresLoginIsDbError) {
  ORV_REQUIRE_PG();
  ConnectionText ct = ParseConnectionText(orvtest::PgServerText());
  Connection c;
  try {
    c.Open(BuildConnectionText(ct.server, "PostgreSQL", "postgres", "", "no_such_database_x"));
    FAIL() << "opened a missing database";
  } catch (const DbError &e) {
    EXPECT_FALSE(e.Description.isEmpty());
  }
  // Nothing listens on port 1.
  EXPECT_THROW(c.Open("server=127.0.0.1,1;driver={PostgreSQL};uid=x;pwd=;database=d", 2),
               DbError);
}

TEST_P(DbBoth, ExecuteReadAndCaseInsensitiveNames) {
  Connection c;
  c.Open(text_);
  Dialect d = c.dialect();
  c.Execute("CREATE TABLE GdsCode (GcdKey " + d.ColumnType("decimal(10,0)") + " NOT NULL, " +
            "GcdName " + d.ColumnType("char(50)") + " NULL, GcdMech " +
            d.ColumnType("money") + " NULL, PRIMARY KEY (GcdKey))");
  EXPECT_EQ(c.Execute("INSERT INTO gdscode (GcdKey, GcdName, GcdMech) VALUES (1, " +
                      SqlText(QStringLiteral("라면 'A'")) + ", 1234.5678)"),
            1);
  c.Execute("INSERT INTO GDSCODE (GcdKey, GcdName, GcdMech) VALUES (2, NULL, 99999999999.9999)");
  Recordset rs = c.OpenRecordset("SELECT GcdKey, GcdName, GcdMech FROM GdsCode ORDER BY GcdKey");
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.Field("gcdkey").toLongLong(), 1);
  EXPECT_EQ(rs.Field("GCDNAME").toString(), QStringLiteral("라면 'A'"));
  EXPECT_EQ(rs.Field("GcdMech").toString(), "1234.5678");
  rs.MoveNext();
  EXPECT_TRUE(rs.Field(1).isNull());
  EXPECT_EQ(rs.Field("GcdMech").toString(), "99999999999.9999");
  rs.MoveNext();
  EXPECT_TRUE(rs.Eof());
  EXPECT_THROW(rs.Field("GcdKey"), DbError);
  EXPECT_THROW(rs.Field("NoSuch"), DbError);

  EXPECT_TRUE(c.TableExists("gdscode"));
  EXPECT_TRUE(c.TableExists("GDSCODE"));
  EXPECT_FALSE(c.TableExists("GdsCod"));
  EXPECT_EQ(c.TablesWithPrefix("gds").size(), 1);

  Recordset empty = c.OpenRecordset("SELECT * FROM GdsCode WHERE GcdKey = 99");
  EXPECT_TRUE(empty.IsOpen());
  EXPECT_EQ(empty.RecordCount(), 0);
  EXPECT_TRUE(empty.Eof());

  try {
    c.Execute("INSERT INTO GdsCode (GcdKey) VALUES (1)");
    FAIL();
  } catch (const DbError &e) {
    EXPECT_NE(e.Number, 0);
    EXPECT_FALSE(e.Description.isEmpty());
  }
  try {
    c.Execute("CREATE TABLE gdscode (x int)");
    FAIL();
  } catch (const DbError &e) {
    EXPECT_TRUE(e.IsAlreadyExists()) << e.Description.toStdString();
  }
}

TEST_P(DbBoth, TransactionsCommitRollbackAndErrors) {
  Connection c;
  c.Open(text_);
  c.Execute("CREATE TABLE t (k integer PRIMARY KEY, v text)");
  c.BeginTrans();
  c.Execute("INSERT INTO t VALUES (1, 'a')");
  c.RollbackTrans();
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM t").RecordCount(), 0);

  c.BeginTrans();
  c.Execute("INSERT INTO t VALUES (1, 'a')");
  c.BeginTrans();  // nested: only the outer commit counts
  c.Execute("INSERT INTO t VALUES (2, 'b')");
  c.CommitTrans();
  EXPECT_EQ(c.TransLevel(), 1);
  c.CommitTrans();
  EXPECT_EQ(c.TransLevel(), 0);
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM t").RecordCount(), 2);
  EXPECT_THROW(c.CommitTrans(), DbError);

  // A failing statement inside a transaction; the caller rolls back and goes on.
  c.BeginTrans();
  c.Execute("INSERT INTO t VALUES (3, 'c')");
  EXPECT_THROW(c.Execute("INSERT INTO t VALUES (1, 'dup')"), DbError);
  c.RollbackTrans();
  c.Execute("INSERT INTO t VALUES (4, 'd')");  // no transaction left open
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM t").RecordCount(), 3);
}

TEST_P(DbBoth, TryExecuteKeepsTheTransactionUsable) {
  Connection c;
  c.Open(text_);
  c.Execute("CREATE TABLE t (k integer PRIMARY KEY)");
  c.Execute("INSERT INTO t VALUES (1)");
  c.BeginTrans();
  c.Execute("INSERT INTO t VALUES (2)");
  auto err = c.TryExecute("INSERT INTO t VALUES (1)");
  ASSERT_TRUE(err.has_value());
  EXPECT_FALSE(err->Description.isEmpty());
  c.Execute("INSERT INTO t VALUES (3)");  // PostgreSQL would refuse this without the savepoint
  EXPECT_FALSE(c.TryExecute("INSERT INTO t VALUES (4)").has_value());
  c.CommitTrans();
  EXPECT_EQ(c.OpenRecordset("SELECT k FROM t ORDER BY k").RecordCount(), 4);
}

TEST_P(DbBoth, TwoConnectionsOnOneDatabaseShareTheTransaction) {
  Connection work, pos;
  work.Open(text_);
  pos.Open(text_);
  EXPECT_TRUE(work.SharesSessionWith(pos));
  work.Execute("CREATE TABLE a (k integer)");
  work.Execute("CREATE TABLE b (k integer)");
  work.BeginTrans();
  pos.BeginTrans();
  work.Execute("INSERT INTO a VALUES (1)");
  pos.Execute("INSERT INTO b VALUES (1)");  // no "database is locked"
  work.CommitTrans();
  pos.CommitTrans();
  EXPECT_EQ(work.OpenRecordset("SELECT * FROM b").RecordCount(), 1);

  // One side rolls back: the other side's work is gone, and its commit says so.
  work.BeginTrans();
  pos.BeginTrans();
  work.Execute("INSERT INTO a VALUES (2)");
  pos.Execute("INSERT INTO b VALUES (2)");
  pos.RollbackTrans();
  EXPECT_THROW(work.CommitTrans(), DbError);
  work.RollbackTrans();  // harmless
  EXPECT_EQ(pos.OpenRecordset("SELECT * FROM a").RecordCount(), 1);
  EXPECT_EQ(pos.OpenRecordset("SELECT * FROM b").RecordCount(), 1);
}

TEST_P(DbBoth, CloseWithOpenTransactionKeepsNothing) {
  {
    Connection c;
    c.Open(text_);
    c.Execute("CREATE TABLE t (k integer)");
    c.BeginTrans();
    c.Execute("INSERT INTO t VALUES (1)");
  }
  Connection c;
  c.Open(text_);
  EXPECT_EQ(c.OpenRecordset("SELECT * FROM t").RecordCount(), 0);
}


namespace {
class SqliteOnly : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = orvtest::MakeTempDir();
    c_.Open(orvtest::NewSqliteDatabase(dir_->path()));
  }
  std::unique_ptr<QTemporaryDir> dir_;
  Connection c_;
};
}  // namespace

// NUMERIC keeps a value that is not whole as a double; it must come back as the text a
// money reader expects, never "1e-04" or 0.30000000000000004.
TEST_F(SqliteOnly, FloatingValuesComeBackAsDecimalTextAndWholeNumbersAsIntegers) {
  c_.Execute("CREATE TABLE m (k integer PRIMARY KEY, v " + c_.dialect().ColumnType("money") + ")");
  const struct {
    const char *literal;
    QVariant expected;
  } cases[] = {
      {"0.0001", QString("0.0001")},
      {"0.00001", QString("0")},
      {"-1234.5678", QString("-1234.5678")},
      {"-0.00004", QString("0")},
      {"1234.5", QString("1234.5")},
      {"99999999999.9999", QString("99999999999.9999")},
      {"-99999999999.9999", QString("-99999999999.9999")},
      {"12.30", QString("12.3")},
      {"1e20", QString("100000000000000000000")},
      {"10.0", qlonglong(10)},  // NUMERIC stores a whole value as an integer
      {"-7", qlonglong(-7)},
      {"9007199254740993", qlonglong(9007199254740993LL)},
  };
  int k = 0;
  for (const auto &c : cases) c_.Execute(QString("INSERT INTO m VALUES (%1, %2)").arg(++k).arg(c.literal));
  Recordset rs = c_.OpenRecordset("SELECT v FROM m ORDER BY k");
  ASSERT_EQ(rs.RecordCount(), k);
  for (const auto &c : cases) {
    SCOPED_TRACE(c.literal);
    const QVariant v = rs.Field("v");
    EXPECT_EQ(v.typeId(), c.expected.typeId());
    EXPECT_EQ(v, c.expected);
    rs.MoveNext();
  }

  // Sums of doubles, through statement text and through a prepared statement.
  c_.Execute("CREATE TABLE s (g integer, v NUMERIC)");
  c_.Execute("INSERT INTO s VALUES (1, 0.1), (1, 0.2), (2, 1.1), (2, 2.2), (3, 5), (3, 6)");
  const QString sum = "SELECT g, SUM(v) AS total, AVG(v) AS mean FROM s GROUP BY g ORDER BY g";
  Recordset sums = c_.OpenRecordset(sum);
  Statement st = c_.Prepare(sum);
  Recordset prepared = st.Query();
  for (Recordset *r : {&sums, &prepared}) {
    ASSERT_EQ(r->RecordCount(), 3);
    EXPECT_EQ(r->Field("total"), QVariant(QString("0.3")));
    EXPECT_EQ(r->Field("mean"), QVariant(QString("0.15")));
    r->MoveNext();
    EXPECT_EQ(r->Field("total"), QVariant(QString("3.3")));
    r->MoveNext();
    EXPECT_EQ(r->Field("total"), QVariant(qlonglong(11)));
    EXPECT_EQ(r->Field("mean"), QVariant(QString("5.5")));
  }
}

TEST_F(SqliteOnly, ErrorsCarryTheEngineCodeAndMessage) {
  c_.Execute("CREATE TABLE t (k integer PRIMARY KEY, v text NOT NULL)");
  c_.Execute("INSERT INTO t VALUES (1, 'a')");
  const struct {
    const char *sql;
    long number;
    const char *text;
  } cases[] = {
      {"INSERT INTO t VALUES (1, 'b')", 1555, "UNIQUE constraint failed: t.k"},
      {"INSERT INTO t VALUES (2, NULL)", 1299, "NOT NULL constraint failed: t.v"},
      {"SELECT * FROM nothere", 1, "no such table: nothere"},
      {"SELEC 1", 1, "syntax error"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.sql);
    try {
      c_.Execute(c.sql);
      ADD_FAILURE() << "no error";
    } catch (const DbError &e) {
      EXPECT_EQ(e.Number, c.number);
      EXPECT_EQ(e.SqlState, QString::number(c.number));
      EXPECT_TRUE(e.Description.contains(c.text)) << e.Description.toStdString();
      EXPECT_FALSE(e.IsAlreadyExists());
    }
  }
}

// A text holding two statements would run only the first one without a word.
TEST_F(SqliteOnly, OneStatementPerText) {
  c_.Execute("CREATE TABLE t (k integer);");
  c_.Execute("INSERT INTO t VALUES (1); -- the first row\n");
  EXPECT_THROW(c_.Execute("INSERT INTO t VALUES (2); DROP TABLE t"), DbError);
  EXPECT_THROW(c_.OpenRecordset("SELECT * FROM t; SELECT 1"), DbError);
  EXPECT_THROW(c_.Execute("  "), DbError);
  Recordset rs = c_.OpenRecordset("SELECT k FROM t");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field("k"), QVariant(qlonglong(1)));
}

// Texts run again are kept compiled: they must still see new rows and a changed table.
TEST_F(SqliteOnly, RepeatedTextsFollowDataAndTableChanges) {
  c_.Execute("CREATE TABLE t (a integer, b text)");
  const QString all = "SELECT * FROM t ORDER BY a";
  for (int round = 1; round <= 4; ++round) {
    c_.Execute(QString("INSERT INTO t VALUES (%1, 'x')").arg(round));
    Recordset rs = c_.OpenRecordset(all);
    EXPECT_EQ(rs.RecordCount(), round);
    EXPECT_EQ(rs.FieldCount(), 2);
  }
  c_.Execute("ALTER TABLE t ADD COLUMN c integer DEFAULT 7");
  Recordset wider = c_.OpenRecordset(all);
  ASSERT_EQ(wider.FieldCount(), 3);
  EXPECT_EQ(wider.Field("C"), QVariant(qlonglong(7)));

  // Same number of columns, other names.
  c_.Execute("DROP TABLE t");
  c_.Execute("CREATE TABLE t (a integer, y text, z text)");
  c_.Execute("INSERT INTO t VALUES (1, 'new', NULL)");
  for (int round = 0; round < 2; ++round) {
    Recordset renamed = c_.OpenRecordset(all);
    ASSERT_EQ(renamed.RecordCount(), 1);
    EXPECT_FALSE(renamed.HasField("b"));
    EXPECT_EQ(renamed.Field("Y").toString(), "new");
    EXPECT_TRUE(renamed.Field("z").isNull());
  }
  c_.Execute("DROP TABLE t");
  EXPECT_THROW(c_.OpenRecordset(all), DbError);
}

TEST_P(DbBoth, RowsAffectedCountOnlyChangedRows) {
  Connection c;
  c.Open(text_);
  c.Execute("CREATE TABLE t (k integer PRIMARY KEY, v integer)");
  EXPECT_EQ(c.Execute("INSERT INTO t VALUES (1, 0), (2, 0), (3, 1)"), 3);
  EXPECT_EQ(c.Execute("UPDATE t SET v = 5 WHERE v = 0"), 2);
  EXPECT_EQ(c.Execute("UPDATE t SET v = 5 WHERE k = 99"), 0);
  EXPECT_EQ(c.Execute("CREATE TABLE u (k integer)"), 0);  // not the count of the update before
  EXPECT_EQ(c.Execute("DELETE FROM t"), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, DbBoth, ORV_BOTH_ENGINES);
