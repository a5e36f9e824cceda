// How long a PostgreSQL server may keep the program waiting.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "freezing_proxy.h"
#include "platform/db.h"
#include "test_support.h"

using namespace orv::db;

namespace {

// Small limits for the test's sessions, the program's own back at the end.
class DbLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    ORV_REQUIRE_PG();
    before_ = GetServerLimits();
    ServerLimits small;
    small.statementMs = 400;
    small.graceMs = 400;
    SetServerLimits(small);
    text_ = orvtest::NewPgDatabase();
  }
  void TearDown() override { SetServerLimits(before_); }

  ServerLimits before_;
  QString text_;
};

long ErrorOf(Connection &c, const QString &sql) {
  try {
    c.OpenRecordset(sql);
    return 0;
  } catch (const DbError &e) {
    return e.Number;
  }
}

}  // namespace

TEST_F(DbLimits, AStatementEndsAtItsLimitAndLongWorkRaisesItForAWhile) {
  Connection c;
  c.Open(text_);
  const QString sleep = QStringLiteral("Select pg_sleep(0.8)");
  EXPECT_NE(ErrorOf(c, sleep), 0);  // the server's own time-out
  EXPECT_EQ(ErrorOf(c, "Select 1"), 0);  // and the session goes on
  {
    LongStatements longer(c, 5);
    EXPECT_EQ(ErrorOf(c, sleep), 0);
    // A rollback undoes a limit set in its transaction; the longer one stays all the same.
    c.BeginTrans();
    EXPECT_EQ(ErrorOf(c, "Select 1"), 0);
    c.RollbackTrans();
    EXPECT_EQ(ErrorOf(c, sleep), 0);
  }
  EXPECT_NE(ErrorOf(c, sleep), 0);
  // Prepared statements keep the same limit.
  Statement st = c.Prepare("Select pg_sleep(?)");
  st.Bind(0, 0.8);
  EXPECT_THROW(st.Query(), DbError);
  st.Bind(0, 0.01);
  EXPECT_NO_THROW(st.Query());
}

TEST_F(DbLimits, AServerThatStopsAnsweringEndsTheWaitWithAnError) {
  orvtest::FreezingProxy proxy(text_);
  Connection c;
  c.Open(proxy.Text());
  c.Execute("Create Table T(A int)");
  c.BeginTrans();
  c.Execute("Insert Into T Values(1)");
  proxy.Freeze();
  QElapsedTimer t;
  t.start();
  try {
    c.CommitTrans();
    FAIL() << "the commit reported success";
  } catch (const DbError &e) {
    EXPECT_EQ(e.Number, kErrNoAnswer) << e.Description.toStdString();
    EXPECT_EQ(e.Description, QStringLiteral("데이터베이스 서버가 1초 동안 응답하지 않습니다"));
  }
  EXPECT_LT(t.elapsed(), 5000);
  // The session is gone: what follows fails at once instead of waiting again.
  t.restart();
  EXPECT_NE(ErrorOf(c, "Select 1"), 0);
  EXPECT_LT(t.elapsed(), 2000);
}

TEST_F(DbLimits, AProbeAnswersWithinItsLimitAndSpoilsNothing) {
  orvtest::FreezingProxy proxy(text_);
  Connection c;
  c.Open(proxy.Text());
  c.Execute("Create Table T(A int)");
  EXPECT_TRUE(c.Answers(200));
  c.BeginTrans();
  c.Execute("Insert Into T Values(1)");
  EXPECT_TRUE(c.Answers(200));
  c.CommitTrans();
  EXPECT_EQ(c.OpenRecordset("Select Count(*) From T").Field(0).toInt(), 1);
  EXPECT_EQ(c.OpenRecordset("Show statement_timeout").Field(0).toString(), "400ms")
      << "the session's limit stays as it was";

  proxy.Freeze();
  QElapsedTimer t;
  t.start();
  EXPECT_FALSE(c.Answers(200));
  EXPECT_LT(t.elapsed(), 2000);

  Connection closed;
  EXPECT_FALSE(closed.Answers(200));
}
