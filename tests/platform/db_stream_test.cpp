#include <gtest/gtest.h>

#include "platform/db.h"
#include "test_support.h"

using namespace orv::db;

namespace {

// Rows streamed out of the test's engine into an SQLite file through BindText.
class StreamRowsBoth : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (IsSkipped()) return;
    src_.Open(NewDatabase("src.db"));
    tmp_ = orvtest::MakeTempDir();
    dst_.Open(orvtest::NewSqliteDatabase(tmp_->path(), "dst.db"));
    for (Connection *c : {&src_, &dst_}) {
      const Dialect d = c->dialect();
      c->Execute("CREATE TABLE GdsCode (GcdKey " + d.ColumnType("decimal(10,0)") +
                 " NOT NULL PRIMARY KEY, GcdName " + d.ColumnType("char(50)") + " NULL, GcdMech " +
                 d.ColumnType("money") + " NULL, GcdCnt " + d.ColumnType("int") + " NULL)");
    }
  }

  long long Copy(const std::function<void(int key)> &each = {}) {
    Statement ins = dst_.Prepare("INSERT INTO GdsCode VALUES (?, ?, ?, ?)");
    return src_.StreamRows("SELECT GcdKey, GcdName, GcdMech, GcdCnt FROM GdsCode ORDER BY GcdKey",
                           [&](const TextRow &row) {
                             EXPECT_EQ(row.Size(), 4);
                             for (int c = 0; c < row.Size(); ++c) ins.BindText(c, row.Text(c));
                             ins.Execute();
                             if (each) each(row.Text(0).toInt());
                           });
  }

  std::unique_ptr<QTemporaryDir> tmp_;
  Connection src_, dst_;
};

// PostgreSQL writes money with its four places, SQLite keeps the number: "100.0000" = "100".
QString Plain(QString v) {
  if (!v.contains('.') || v.contains('\n')) return v;
  while (v.endsWith('0')) v.chop(1);
  if (v.endsWith('.')) v.chop(1);
  return v;
}

}  // namespace

TEST_P(StreamRowsBoth, EveryValueArrivesAsItWasStored) {
  const QVariant null;
  const struct {
    int key;
    QVariant name, money, count;
  } rows[] = {
      {1, QStringLiteral("라면\t탭\n줄\\역슬래시\r"), QStringLiteral("1234.5678"), 7},
      {2, null, null, null},
      {3, QStringLiteral(""), QStringLiteral("-0.0001"), 0},
      {4, QStringLiteral("\\N"), QStringLiteral("100"), -5},  // the text, not a NULL
      {5, QStringLiteral("  blanks  "), QStringLiteral("99999999999.9999"), 2147483647},
  };
  Statement ins = src_.Prepare("INSERT INTO GdsCode VALUES (?, ?, ?, ?)");
  for (const auto &r : rows) {
    ins.Bind(0, r.key);
    ins.Bind(1, r.name);
    ins.Bind(2, r.money);
    ins.Bind(3, r.count);
    ins.Execute();
  }
  EXPECT_EQ(Copy(), 5);

  const Recordset want = src_.OpenRecordset("SELECT * FROM GdsCode ORDER BY GcdKey");
  const Recordset got = dst_.OpenRecordset("SELECT * FROM GdsCode ORDER BY GcdKey");
  ASSERT_EQ(got.RecordCount(), want.RecordCount());
  for (int r = 0; r < want.RecordCount(); ++r)
    for (int c = 0; c < 4; ++c) {
      SCOPED_TRACE(testing::Message() << "row " << r + 1 << " column " << c);
      EXPECT_EQ(got.Value(r, c).isNull(), want.Value(r, c).isNull());
      EXPECT_EQ(Plain(got.Value(r, c).toString()), Plain(want.Value(r, c).toString()));
    }
  // Numbers went in as numbers, not as their text.
  EXPECT_EQ(dst_.OpenRecordset("SELECT Sum(GcdCnt) FROM GdsCode").Field(0).toLongLong(),
            2147483647LL + 7 - 5);
}

TEST_P(StreamRowsBoth, AFailureOfTheCallerEndsTheReadAndKeepsTheSessionUsable) {
  for (int k = 1; k <= 300; ++k)
    src_.Execute(QString("INSERT INTO GdsCode (GcdKey, GcdName) VALUES (%1, 'n%1')").arg(k));
  src_.BeginTrans();
  src_.Execute("INSERT INTO GdsCode (GcdKey) VALUES (1000)");
  int seen = 0;
  EXPECT_THROW(Copy([&](int key) {
                 ++seen;
                 if (key == 10) throw DbError(kErrGeneric, "target full");
               }),
               DbError);
  EXPECT_EQ(seen, 10);
  // The source's transaction goes on and commits.
  src_.Execute("INSERT INTO GdsCode (GcdKey) VALUES (1001)");
  src_.CommitTrans();
  EXPECT_EQ(src_.OpenRecordset("SELECT Count(*) FROM GdsCode").Field(0).toInt(), 302);

  // A statement the engine refuses is an error of the read.
  EXPECT_THROW(src_.StreamRows("SELECT NoSuchColumn FROM GdsCode", [](const TextRow &) {}),
               DbError);
  EXPECT_EQ(src_.OpenRecordset("SELECT Count(*) FROM GdsCode").Field(0).toInt(), 302);
}

INSTANTIATE_TEST_SUITE_P(Engines, StreamRowsBoth, ORV_BOTH_ENGINES);
