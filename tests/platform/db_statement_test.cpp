#include <gtest/gtest.h>

#include "platform/db.h"
#include "test_support.h"

using namespace orv::db;

namespace {

class StatementBoth : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (IsSkipped()) return;
    text_ = NewDatabase();
    c_.Open(text_);
    const Dialect d = c_.dialect();
    c_.Execute("CREATE TABLE GdsCode (GcdKey " + d.ColumnType("decimal(10,0)") +
               " NOT NULL PRIMARY KEY, GcdName " + d.ColumnType("char(50)") + " NULL, GcdMech " +
               d.ColumnType("money") + " NULL)");
  }
  int Count() { return c_.OpenRecordset("SELECT GcdKey FROM GdsCode").RecordCount(); }

  QString text_;
  Connection c_;
};

}  // namespace

TEST_P(StatementBoth, BoundValuesGoInAsTheyAreAndComeBack) {
  Statement ins = c_.Prepare("INSERT INTO GdsCode (GcdKey, GcdName, GcdMech) VALUES (?, ?, ?)");
  const struct {
    int key;
    QVariant name;
    QString money;
  } rows[] = {
      {1, QStringLiteral("라면 'A'; DROP TABLE GdsCode; --"), "1234.5678"},
      {2, QVariant(), "10.0001"},  // NULL name
      {3, QStringLiteral("  blanks kept  "), "-99999999999.9999"},
  };
  c_.BeginTrans();
  for (const auto &r : rows) {
    ins.Bind(0, r.key);
    ins.Bind(1, r.name);
    ins.Bind(2, r.money);
    EXPECT_EQ(ins.Execute(), 1);
  }
  c_.CommitTrans();

  Statement sel = c_.Prepare("SELECT GcdKey, GcdName, GcdMech FROM GdsCode WHERE GcdKey = ?");
  for (const auto &r : rows) {
    SCOPED_TRACE(r.key);
    sel.Bind(0, r.key);
    Recordset rs = sel.Query();
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field("gcdname").isNull(), r.name.isNull());
    EXPECT_EQ(rs.Field("GCDNAME").toString(), r.name.toString());
    EXPECT_EQ(rs.Field("GcdMech").toString(), r.money);
  }
  sel.Bind(0, 99);
  Recordset none = sel.Query();
  EXPECT_TRUE(none.IsOpen());
  EXPECT_EQ(none.RecordCount(), 0);
}

TEST_P(StatementBoth, RunsInTheSharedTransaction) {
  Connection pos;
  pos.Open(text_);
  ASSERT_TRUE(pos.SharesSessionWith(c_));
  Statement ins = pos.Prepare("INSERT INTO GdsCode (GcdKey) VALUES (?)");
  c_.BeginTrans();
  pos.BeginTrans();
  for (int k = 1; k <= 50; ++k) {
    ins.Bind(0, k);
    ins.Execute();
  }
  EXPECT_EQ(Count(), 50);
  pos.RollbackTrans();
  EXPECT_THROW(c_.CommitTrans(), DbError);
  EXPECT_EQ(Count(), 0);
}

TEST_P(StatementBoth, ErrorsAreDbErrorsAndTheStatementGoesOn) {
  EXPECT_THROW(c_.Prepare("INSERT INTO NoSuchTable VALUES (?)"), DbError);
  Connection closed;
  EXPECT_THROW(closed.Prepare("SELECT 1"), DbError);
  Statement none;
  EXPECT_THROW(none.Execute(), DbError);

  Statement ins = c_.Prepare("INSERT INTO GdsCode (GcdKey) VALUES (?)");
  ins.Bind(0, 1);
  ins.Execute();
  try {
    ins.Execute();  // the same key again
    FAIL() << "duplicate key accepted";
  } catch (const DbError &e) {
    EXPECT_FALSE(e.Description.isEmpty());
  }
  ins.Bind(0, 2);
  EXPECT_EQ(ins.Execute(), 1);

  // The statement keeps its session: it still works once its connection is closed.
  c_.Close();
  ins.Bind(0, 3);
  EXPECT_EQ(ins.Execute(), 1);
}

TEST_P(StatementBoth, AKeptReadIsPreparedOnceAndFollowsTheTable) {
  c_.Execute("INSERT INTO GdsCode (GcdKey, GcdName) VALUES (1, 'one')");
  c_.Execute("INSERT INTO GdsCode (GcdKey, GcdName) VALUES (2, 'two')");
  const QString sql = "SELECT * FROM GdsCode WHERE GcdKey = ?";
  for (int key : {1, 2, 3}) {
    SCOPED_TRACE(key);
    Recordset rs = c_.QueryKept(sql, {key});
    EXPECT_EQ(rs.RecordCount(), key <= 2 ? 1 : 0);
    if (key <= 2) EXPECT_EQ(rs.Field("gcdname").toString().trimmed(), key == 1 ? "one" : "two");
  }

  // The table built again with another shape: at most one call fails, the next one reads
  // the new columns.
  const Dialect d = c_.dialect();
  c_.Execute("DROP TABLE GdsCode");
  c_.Execute("CREATE TABLE GdsCode (GcdKey " + d.ColumnType("decimal(10,0)") +
             " NOT NULL PRIMARY KEY, GcdExtra " + d.ColumnType("int") + " NULL)");
  c_.Execute("INSERT INTO GdsCode (GcdKey, GcdExtra) VALUES (1, 7)");
  try {
    c_.QueryKept(sql, {1});
  } catch (const DbError &) {
  }
  Recordset rs = c_.QueryKept(sql, {1});
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field("GcdExtra").toInt(), 7);

  // The kept statements go with their session; a new one prepares its own.
  c_.Close();
  c_.Open(text_);
  EXPECT_EQ(c_.QueryKept(sql, {1}).RecordCount(), 1);
  EXPECT_THROW(c_.QueryKept("SELECT nothing FROM NoSuchTable WHERE a = ?", {1}), DbError);
}

TEST_P(StatementBoth, AKeptWriteIsPreparedOnceAndOutlivesAFailedTransaction) {
  const QString ins = "INSERT INTO GdsCode (GcdKey, GcdName) VALUES (?, ?)";
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(c_.ExecuteKept(ins, {k, "n"}), 1);
  if (Pg()) {
    EXPECT_EQ(c_.OpenRecordset("Select Count(*) From pg_prepared_statements").Field(0).toInt(), 1)
        << "one statement on the server for the three rows";
  }
  c_.BeginTrans();
  EXPECT_EQ(c_.ExecuteKept(ins, {4, "n"}), 1);
  EXPECT_THROW(c_.ExecuteKept(ins, {4, "again"}), DbError);
  c_.RollbackTrans();
  EXPECT_EQ(c_.ExecuteKept(ins, {5, QVariant()}), 1);
  EXPECT_EQ(c_.ExecuteKept("DELETE FROM GdsCode WHERE GcdKey = ?", {1}), 1);
  Recordset rs = c_.OpenRecordset("SELECT GcdKey, GcdName FROM GdsCode ORDER BY GcdKey");
  QStringList rows;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
    rows << rs.Field(0).toString() + ":" + (rs.Field(1).isNull() ? "null" : rs.Field(1).toString().trimmed());
  EXPECT_EQ(rows, (QStringList{"2:n", "3:n", "5:null"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, StatementBoth, ORV_BOTH_ENGINES);

// What each kind of bound value becomes in SQLite, read back through a prepared query.
TEST(StatementSqlite, BoundValueKinds) {
  auto dir = orvtest::MakeTempDir();
  Connection c;
  c.Open(orvtest::NewSqliteDatabase(dir->path()));
  c.Execute("CREATE TABLE v (k integer PRIMARY KEY, x)");  // no type: values stay as bound
  const struct {
    const char *what;
    QVariant bound;
    QVariant back;
  } cases[] = {
      {"null string", QVariant(QString()), QVariant()},
      {"invalid", QVariant(), QVariant()},
      {"empty string", QVariant(QString("")), QVariant(QString(""))},
      {"korean text", QVariant(QStringLiteral("상품 '가'")), QVariant(QStringLiteral("상품 '가'"))},
      {"bool", QVariant(true), QVariant(qlonglong(1))},
      {"int", QVariant(-42), QVariant(qlonglong(-42))},
      {"large integer", QVariant(qlonglong(9007199254740993LL)), QVariant(qlonglong(9007199254740993LL))},
      {"double", QVariant(0.1 + 0.2), QVariant(QString("0.3"))},
      {"bytes", QVariant(QByteArray("\x00\x01\xff", 3)), QVariant(QByteArray("\x00\x01\xff", 3))},
      {"date", QVariant(QDate(2024, 2, 29)), QVariant(QString("2024-02-29"))},
  };
  Statement ins = c.Prepare("INSERT INTO v VALUES (?, ?)");
  Statement sel = c.Prepare("SELECT x FROM v WHERE k = ?");
  int k = 0;
  for (const auto &cs : cases) {
    SCOPED_TRACE(cs.what);
    ins.Bind(0, ++k);
    ins.Bind(1, cs.bound);
    ASSERT_EQ(ins.Execute(), 1);
    sel.Bind(0, k);
    Recordset rs = sel.Query();
    ASSERT_EQ(rs.RecordCount(), 1);
    const QVariant got = rs.Field("X");
    EXPECT_EQ(got.isValid(), cs.back.isValid());
    if (cs.back.isValid()) {
      EXPECT_EQ(got.typeId(), cs.back.typeId());
      EXPECT_EQ(got, cs.back);
    }
  }
  // Bound values stay until bound again: the statement keeps its last text too.
  ins.Bind(0, ++k);
  EXPECT_EQ(ins.Execute(), 1);
  sel.Bind(0, k);
  EXPECT_EQ(sel.Query().Field(0).toString(), "2024-02-29");

  EXPECT_THROW(ins.Bind(2, 1), DbError);
  EXPECT_THROW(ins.Bind(-1, 1), DbError);
}

TEST_P(StatementBoth, DeferredStatementsRunWithTheNextOneAndFailWithIt) {
  Statement ins = c_.Prepare("INSERT INTO GdsCode (GcdKey, GcdName, GcdMech) VALUES (?, ?, ?)");
  auto defer = [&](int key, const QVariant &name = QStringLiteral("it's"), const QVariant &money = "1.5") {
    ins.Bind(0, key);
    ins.Bind(1, name);
    ins.Bind(2, money);
    ins.Defer();
  };
  // Outside a transaction at once; inside, seen by the next statement, kept by the commit.
  defer(1);
  EXPECT_EQ(Count(), 1);
  c_.BeginTrans();
  defer(2, QVariant(), QString("-0.0001"));
  defer(3, QString(""));
  EXPECT_EQ(Count(), 3);
  defer(4);
  c_.CommitTrans();
  EXPECT_EQ(Count(), 4);
  Recordset rs = c_.OpenRecordset("SELECT GcdName, GcdMech FROM GdsCode ORDER BY GcdKey");
  EXPECT_EQ(rs.Field(0).toString(), "it's");
  rs.MoveNext();
  EXPECT_TRUE(rs.Field(0).isNull());
  EXPECT_EQ(rs.Field(1).toString(), "-0.0001");
  rs.MoveNext();
  EXPECT_FALSE(rs.Field(0).isNull());
  EXPECT_EQ(rs.Field(0).toString(), "");

  // A deferred failure (SQLite: at once) fails the commit, which keeps nothing.
  c_.BeginTrans();
  bool thrown = false;
  try {
    defer(5);
    defer(1);  // taken
    defer(6);
    c_.CommitTrans();
  } catch (const DbError &e) {
    thrown = true;
    EXPECT_TRUE(e.IsUniqueViolation()) << e.Description.toStdString();
  }
  EXPECT_TRUE(thrown);
  if (c_.TransLevel() > 0) c_.RollbackTrans();
  EXPECT_EQ(Count(), 4);

  // A rollback drops what was deferred; a batch that fails is undone alone.
  c_.BeginTrans();
  defer(7);
  c_.RollbackTrans();
  EXPECT_EQ(Count(), 4);
  c_.BeginTrans();
  defer(8);
  const auto err = c_.TryBatch([&] {
    defer(9);
    defer(2);  // taken
  });
  ASSERT_TRUE(err.has_value());
  EXPECT_TRUE(err->IsUniqueViolation());
  defer(10);
  c_.CommitTrans();
  EXPECT_EQ(c_.OpenRecordset("SELECT Sum(GcdKey) FROM GdsCode").Field(0).toInt(), 1 + 2 + 3 + 4 + 8 + 10);
}
