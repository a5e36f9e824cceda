#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/db.h"
#include "test_support.h"

using namespace orv::db;

namespace {

class TxBoth : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (IsSkipped()) return;
    text_ = NewDatabase();
    c_.Open(text_);
    c_.Execute("CREATE TABLE t (k integer PRIMARY KEY)");
  }
  long long Count(Connection &c, const QString &table = "t") {
    return c.OpenRecordset("SELECT count(*) AS n FROM " + table).Field("n").toLongLong();
  }
  QString text_;
  Connection c_;
};

// Collects what the layer logs instead of throwing.
struct LogCapture {
  QStringList lines;
  FailureLog old = SetFailureLog([this](const QString &t) { lines << t; });
  ~LogCapture() { SetFailureLog(old); }
};

}  // namespace

TEST_P(TxBoth, CommitKeepsAndEveryOtherWayOutRollsBack) {
  {
    Transaction tx(c_);
    c_.Execute("INSERT INTO t VALUES (1)");
    tx.Commit();
    EXPECT_FALSE(tx.IsActive());
    EXPECT_THROW(tx.Commit(), DbError);
  }
  {
    Transaction tx(c_);
    c_.Execute("INSERT INTO t VALUES (2)");
  }  // early return
  try {
    Transaction tx(c_);
    c_.Execute("INSERT INTO t VALUES (3)");
    throw std::runtime_error("failure in between");
  } catch (const std::runtime_error &) {
  }
  {
    Transaction tx(c_);
    c_.Execute("INSERT INTO t VALUES (4)");
    tx.Rollback();
    EXPECT_EQ(c_.TransLevel(), 0);
  }
  EXPECT_EQ(c_.TransLevel(), 0);
  Recordset rs = c_.OpenRecordset("SELECT k FROM t");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field("k").toLongLong(), 1);
}

TEST_P(TxBoth, NestedRollbackFailsTheOuterCommit) {
  Transaction outer(c_);
  c_.Execute("INSERT INTO t VALUES (1)");
  {
    Transaction inner(c_);
    c_.Execute("INSERT INTO t VALUES (2)");
  }
  EXPECT_THROW(outer.Commit(), DbError);
  EXPECT_EQ(c_.TransLevel(), 0);
  EXPECT_EQ(Count(c_), 0);
}

// Online the two connections are two databases; offline they name one and share its
// session, so the first commit is only final with the second.
TEST_P(TxBoth, GuardsOnTwoConnectionsCommitInTheOrderWritten) {
  for (bool shared : {false, true}) {
    SCOPED_TRACE(shared ? "one database" : "two databases");
    Connection main, pos;
    main.Open(NewDatabase(shared ? "one.db" : "main.db"));
    pos.Open(shared ? main.Text() : NewDatabase("pos.db"));
    ASSERT_EQ(main.SharesSessionWith(pos), shared);
    main.Execute("CREATE TABLE a (k integer)");
    pos.Execute("CREATE TABLE b (k integer)");
    {
      Transaction txMain(main);
      Transaction txPos(pos);
      main.Execute("INSERT INTO a VALUES (1)");
      pos.Execute("INSERT INTO b VALUES (1)");
      txMain.Commit();
      txPos.Commit();
    }
    {
      Transaction txMain(main);
      Transaction txPos(pos);
      main.Execute("INSERT INTO a VALUES (2)");
      pos.Execute("INSERT INTO b VALUES (2)");
      txMain.Commit();
    }  // the POS side fails
    EXPECT_EQ(Count(main, "a"), shared ? 1 : 2);
    EXPECT_EQ(Count(pos, "b"), 1);
    EXPECT_EQ(main.TransLevel() + pos.TransLevel(), 0);
  }
}

// A deferred key is checked at COMMIT, so the commit itself fails.
TEST_P(TxBoth, FailingCommitThrowsWithTheTransactionRolledBack) {
  if (!Pg()) c_.Execute("PRAGMA foreign_keys = ON");
  c_.Execute("CREATE TABLE child (k integer REFERENCES t (k) DEFERRABLE INITIALLY DEFERRED)");
  {
    Transaction tx(c_);
    c_.Execute("INSERT INTO t VALUES (1)");
    c_.Execute("INSERT INTO child VALUES (9)");
    EXPECT_THROW(tx.Commit(), DbError);
  }
  EXPECT_EQ(c_.TransLevel(), 0);
  EXPECT_EQ(Count(c_), 0);
  Transaction again(c_);
  c_.Execute("INSERT INTO t VALUES (2)");
  again.Commit();
  EXPECT_EQ(Count(c_), 1);
}

TEST_P(TxBoth, FailingRollbackIsLoggedNotThrown) {
  LogCapture log;
  {
    Transaction tx(c_);
    c_.Execute("INSERT INTO t VALUES (1)");
    if (Pg()) {
      try {  // the session's server process ends; nothing can be rolled back any more
        c_.Execute("SELECT pg_terminate_backend(pg_backend_pid())");
      } catch (const DbError &) {
      }
    } else {
      c_.Execute("ROLLBACK");  // behind the layer's back
    }
  }
  ASSERT_FALSE(log.lines.isEmpty());
  EXPECT_TRUE(log.lines.join('\n').contains("ROLLBACK"));
  EXPECT_EQ(c_.TransLevel(), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, TxBoth, ORV_BOTH_ENGINES);
