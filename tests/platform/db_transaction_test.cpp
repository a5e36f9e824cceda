#include <gtest/gtest.h>

#include <optional>
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
  // Would be saved on its own, outside any transaction.
  EXPECT_THROW(c_.Execute("INSERT INTO t VALUES (3)"), DbError);
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

// The caller catches the failure itself instead of going through TryExecute. SQLite keeps
// the transaction; PostgreSQL has aborted it, and its COMMIT would quietly roll back.
TEST_P(TxBoth, CaughtFailureNeverEndsInACommitThatSavedNothing) {
  c_.Execute("INSERT INTO t VALUES (1)");
  {
    Transaction tx(c_);
    c_.Execute("INSERT INTO t VALUES (2)");
    try {
      c_.Execute("INSERT INTO t VALUES (1)");
      ADD_FAILURE() << "duplicate key accepted";
    } catch (const DbError &) {
    }
    if (Pg()) {
      EXPECT_THROW(c_.Execute("INSERT INTO t VALUES (3)"), DbError);
      EXPECT_THROW(tx.Commit(), DbError);
    } else {
      c_.Execute("INSERT INTO t VALUES (3)");
      tx.Commit();
    }
  }
  EXPECT_EQ(c_.TransLevel(), 0);
  EXPECT_EQ(Count(c_), Pg() ? 1 : 3);
  c_.Execute("INSERT INTO t VALUES (4)");  // the session works again
}

TEST_P(TxBoth, TryExecuteAndTryBatchUndoOnlyTheirOwnPart) {
  {
    Transaction tx(c_);
    c_.Execute("INSERT INTO t VALUES (1)");
    auto dup = c_.TryExecute("INSERT INTO t VALUES (1)");
    ASSERT_TRUE(dup.has_value());
    EXPECT_TRUE(dup->IsUniqueViolation());
    auto batch = c_.TryBatch([&] {
      c_.Execute("INSERT INTO t VALUES (2)");
      c_.Execute("INSERT INTO t VALUES (1)");
    });
    ASSERT_TRUE(batch.has_value());
    EXPECT_FALSE(c_.TryBatch([&] { c_.Execute("INSERT INTO t VALUES (3)"); }).has_value());
    tx.Commit();
  }
  // Outside a transaction the batch is one of its own.
  EXPECT_TRUE(c_.TryBatch([&] {
                 c_.Execute("INSERT INTO t VALUES (4)");
                 c_.Execute("INSERT INTO t VALUES (3)");
               }).has_value());
  EXPECT_EQ(c_.TransLevel(), 0);
  Recordset rs = c_.OpenRecordset("SELECT k FROM t ORDER BY k");
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.Value(1, 0).toLongLong(), 3);
}

// A statement that ends the transaction under TryExecute's savepoint leaves nothing to
// undo: the failure comes back as a value, and nothing after it is saved on its own.
TEST_P(TxBoth, TryExecuteWhoseSavepointCannotBeUndoneAbortsTheTransaction) {
  Transaction tx(c_);
  c_.Execute("INSERT INTO t VALUES (1)");
  std::optional<DbError> err;
  EXPECT_NO_THROW(err = c_.TryExecute("ROLLBACK"));
  EXPECT_TRUE(err.has_value());
  EXPECT_THROW(c_.Execute("INSERT INTO t VALUES (2)"), DbError);
  EXPECT_TRUE(c_.TryExecute("INSERT INTO t VALUES (3)").has_value());
  EXPECT_THROW(tx.Commit(), DbError);
  EXPECT_EQ(c_.TransLevel(), 0);
  EXPECT_EQ(Count(c_), 0);
}

// Offline the working and the POS connection share one session; one of them is closed
// with work not committed.
TEST_P(TxBoth, ClosingAJoinedConnectionKeepsNoneOfItsWork) {
  const struct {
    const char *name;
    bool closeFirst;       // the connection that began the transaction closes
    bool otherWritesLast;  // the other one writes after the closing one
    bool otherCommits;     // and its own work survives
  } cases[] = {
      {"joined side closes", false, false, true},
      {"joined side closes after the other wrote", false, true, false},
      {"beginning side closes", true, false, false},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.name);
    c_.Execute("DELETE FROM t");
    Connection closing;
    closing.Open(text_);
    Connection &first = k.closeFirst ? closing : c_;
    Connection &second = k.closeFirst ? c_ : closing;
    auto work = [&](Connection &c) {
      c.BeginTrans();
      c.Execute(QString("INSERT INTO t VALUES (%1)").arg(&c == &c_ ? 1 : 2));
    };
    work(first);
    work(second);
    if (k.otherWritesLast) c_.Execute("INSERT INTO t VALUES (3)");
    closing.Close();
    if (k.otherCommits) {
      c_.CommitTrans();
    } else {
      EXPECT_THROW(c_.CommitTrans(), DbError);
    }
    Recordset rs = c_.OpenRecordset("SELECT k FROM t ORDER BY k");
    ASSERT_EQ(rs.RecordCount(), k.otherCommits ? 1 : 0);
    if (k.otherCommits) {
      EXPECT_EQ(rs.Field("k").toLongLong(), 1);
    }
  }
}

TEST_P(TxBoth, UniqueViolationsAreToldApart) {
  c_.Execute("CREATE TABLE u (k text PRIMARY KEY, code text NOT NULL)");
  c_.Execute("CREATE UNIQUE INDEX IX_u ON u (code)");
  c_.Execute("INSERT INTO u VALUES ('a', 'x')");
  const struct {
    const char *sql;
    bool unique;
  } cases[] = {
      {"INSERT INTO u VALUES ('a', 'y')", true},   // primary key
      {"INSERT INTO u VALUES ('b', 'x')", true},   // unique index
      {"UPDATE u SET code = NULL", false},
      {"CREATE TABLE u (k integer)", false},
      {"INSERT INTO nothere VALUES (1)", false},
  };
  for (const auto &k : cases) {
    auto err = c_.TryExecute(k.sql);
    ASSERT_TRUE(err.has_value()) << k.sql;
    EXPECT_EQ(err->IsUniqueViolation(), k.unique) << k.sql;
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, TxBoth, ORV_BOTH_ENGINES);
