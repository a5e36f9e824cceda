#include <gtest/gtest.h>

#include "core/connections.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/web_clock.h"
#include "fake_web_server.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "test_support.h"

namespace store = orv::settings_store;
using orvtest::FakeWebServer;

namespace {

class WebPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = orvtest::MakeTempDir();
    store::SetFilePath(dir_->filePath("OrvZerdo.ini"));
    orv::state::ResetProgramState();
    UseWebServer(web_.BaseUrl());
    orv::clock::SetFixed(QDateTime(QDate(2023, 5, 6), QTime(7, 8, 9)));
    orv::clock::SetMachineClockHook([this](const QDateTime &dt) {
      clockSets_.append(dt);
      return true;
    });
  }
  void TearDown() override {
    orv::clock::SetMachineClockHook({});
    orv::clock::Reset();
    orv::state::ResetProgramState();
    store::SetFilePath({});
  }
  static void UseWebServer(const QString &base) { store::SaveSetting("gsSetWebServer", base); }

  std::unique_ptr<QTemporaryDir> dir_;
  FakeWebServer web_;
  QList<QDateTime> clockSets_;
};

}  // namespace

TEST(NamePageReply, TakesTheFirstAddressLine) {
  struct Case {
    const char *reply;
    const char *address;
  };
  const Case cases[] = {
      {"<html>\n~> 10.1.2.3\n</html>", "10.1.2.3"},
      {"head\r\n  ~>  10.1.2.3  \r\n", "10.1.2.3"},
      {"~> 10.1.2.3", ""},                 // no line break anywhere
      {"x<P>~> 10.1.2.3", "10.1.2.3"},     // <P> breaks the line
      {"x<p>~> 10.1.2.3\n", ""},           // <p> does not
      {"a\n~> 1.1.1.1\n~> 2.2.2.2\n", "1.1.1.1"},
      {"a\n~>\n~> 2.2.2.2\n", ""},          // the first marked line counts, even empty
      {"a\nIP ~> 1.1.1.1\n", ""},
      {"   \n  ", ""},
      {"", ""},
  };
  for (const Case &c : cases)
    EXPECT_EQ(ParseNamePageReply(QString::fromLatin1(c.reply)), c.address) << c.reply;
}

TEST(HostAddress, ResolvesNamesAndFormatsBytes) {
  EXPECT_EQ(IPBytesToText({10, 0, 255, 1}), "10.0.255.1");
  EXPECT_EQ(IPBytesToText({0, 0, 0, 0}), "0.0.0.0");
  EXPECT_EQ(GetIPFromHost("localhost"), "127.0.0.1");
  EXPECT_EQ(GetIPFromHost("192.168.7.9"), "192.168.7.9");
  for (const QString &bad : {QString(), QString("no-such-host.invalid"), QString(65, 'a')})
    EXPECT_EQ(GetIPFromHost(bad), "No DNS Entry") << bad.toStdString();
}

TEST_F(WebPagesTest, NumericServerCodesResolveThroughTheNamePage) {
  web_.SetPage("/orvmyipdn.php?Tna=12345678", "<html>\r\n~> 10.1.2.3\r\n</html>");
  web_.SetPage("/orvmyipdn.php?Tna=1234", "\n~> 10.9.9.9\n");
  struct Case {
    const char *name;
    const char *resolved;
  };
  const Case cases[] = {
      {"12345678,1433", "10.1.2.3,1433"},
      {"12345678", "10.1.2.3"},
      {" 1234", "10.9.9.9"},
      {"123456789", "10.1.2.39"},  // digits past the eighth stay as the tail
      {"87654321,1433", "87654321,1433"},  // the page knows no address
      {" host.example ", "host.example"},
      {"10.0.0.1,5432", "10.0.0.1,5432"},
  };
  for (const Case &c : cases) EXPECT_EQ(ResolveServerHost(c.name, 0), c.resolved) << c.name;
  // Names with a non-digit in their first eight characters are never asked about.
  for (const QString &asked : web_.Requests()) {
    EXPECT_FALSE(asked.contains("host")) << asked.toStdString();
    EXPECT_FALSE(asked.contains("10.0.0.1")) << asked.toStdString();
  }

  EXPECT_EQ(ResolveMainDbServer("server=12345678,1433;driver={PostgreSQL};uid=a;pwd=b;database=c"),
            "server=10.1.2.3,1433;driver={PostgreSQL};uid=a;pwd=b;database=c");
  EXPECT_EQ(ResolveMainDbServer("server=12345678"), "server=12345678");  // no ";"
}

TEST_F(WebPagesTest, UnansweredNamePageKeepsTheCode) {
  // Nothing listening, no address in the reply, an unknown web host, no web server set.
  web_.SetPage("/orvmyipdn.php?Tna=1234", "<html>\r\nno address here\r\n</html>");
  EXPECT_EQ(GetWebHostIp("1234", 0), "");
  EXPECT_EQ(ResolveServerHost("1234,1433", 1), "1234,1433");
  for (const QString &base : {orvtest::ClosedPortUrl(), QString("http://no-such-host.invalid"),
                              QString()}) {
    UseWebServer(base);
    EXPECT_EQ(GetWebHostIp("1234", 0), "") << base.toStdString();
    EXPECT_EQ(ResolveServerHost("1234,1433", 0), "1234,1433");
  }
}

TEST_F(WebPagesTest, SilentNamePageGivesUpAfterItsTimeOut) {
  FakeWebServer silent;
  silent.SetSilent(true);
  UseWebServer(silent.BaseUrl());
  EXPECT_EQ(GetWebHostIp("1234", 0), "");
  EXPECT_EQ(silent.Requests(), QStringList{"/orvmyipdn.php?Tna=1234"});
}

TEST_F(WebPagesTest, DatePageSetsDateThenTime) {
  web_.SetPage("/orvmydatetime.php", "<html>\n~> Date:2024-01-30 09:05:07\n</html>");
  GetWebDateTime();
  ASSERT_EQ(clockSets_.size(), 2);
  EXPECT_EQ(clockSets_[0].date(), QDate(2024, 1, 30));
  EXPECT_EQ(clockSets_[1].time(), QTime(9, 5, 7));

  // Out of range halves are skipped on their own.
  clockSets_.clear();
  web_.SetPage("/orvmydatetime.php", "x~> Date:2011-12-31 23:59:59");
  GetWebDateTime();
  ASSERT_EQ(clockSets_.size(), 1);
  EXPECT_EQ(clockSets_[0].time(), QTime(23, 59, 59));

  clockSets_.clear();
  web_.SetPage("/orvmydatetime.php", "x~> Date:2024-01-30 24:00:00");
  GetWebDateTime();
  ASSERT_EQ(clockSets_.size(), 1);
  EXPECT_EQ(clockSets_[0].date(), QDate(2024, 1, 30));
}

TEST_F(WebPagesTest, DatePageFailuresLeaveTheClock) {
  web_.SetPage("/orvmydatetime.php", "~> Date:2024-01-30 09:05:07");  // marker first
  GetWebDateTime();
  web_.SetPage("/orvmydatetime.php", "<html>no date</html>");
  GetWebDateTime();
  web_.SetPage("/orvmydatetime.php", "x~> Date:2024-01-30 09:05:07", 500);
  GetWebDateTime();
  for (const QString &base : {orvtest::ClosedPortUrl(), QString("http://no-such-host.invalid"),
                              QString()}) {
    UseWebServer(base);
    GetWebDateTime();
  }
  EXPECT_TRUE(clockSets_.isEmpty());
  EXPECT_EQ(web_.Requests().size(), 3);
}

TEST_F(WebPagesTest, PosConnectionNeverAsksTheWeb) {
  web_.SetPage("/orvmyipdn.php?Tna=12345678", "\n~> 10.1.2.3\n");
  gsSetPosDB = "server=12345678;driver={SQLite};uid=;pwd=;database=" + dir_->filePath("pos.db");
  orv::db::Connection::CreateDatabase(gsSetPosDB);
  EXPECT_EQ(OpenDbConnection(goDbPos, 1), 0);
  EXPECT_TRUE(goDbPos.IsOpen());
  EXPECT_EQ(goDbPos.Text(), gsSetPosDB);
  EXPECT_TRUE(web_.Requests().isEmpty());
}

TEST_F(WebPagesTest, MainConnectionOnPostgreSqlThroughANumericServer) {
  ORV_REQUIRE_PG();
  const auto ct = orv::db::ParseConnectionText(orvtest::NewPgDatabase());
  web_.SetPage("/orvmyipdn.php?Tna=12345678", "<html>\n~> " + ct.host().toLatin1() + "\n");
  gsSetMainDB = orv::db::BuildConnectionText(QStringLiteral("12345678,%1").arg(ct.port()),
                                             "PostgreSQL", ct.uid, ct.pwd, ct.database);
  ASSERT_EQ(OpenDbConnection(goDbMain, 0), 0);
  EXPECT_EQ(goDbMain.engine(), orv::db::Engine::PostgreSQL);
  EXPECT_TRUE(goDbMain.Text().startsWith("server=" + ct.host() + ","));
  EXPECT_EQ(goDbMain.OpenRecordset("SELECT 1 AS one").RecordCount(), 1);
  EXPECT_EQ(web_.Requests(), QStringList{"/orvmyipdn.php?Tna=12345678"});
}

TEST_F(WebPagesTest, MainConnectionOnSqlite) {
  gsSetMainDB = orvtest::NewSqliteDatabase(dir_->path(), "main.db");
  ASSERT_EQ(OpenDbConnection(goDbMain, 0), 0);
  EXPECT_EQ(goDbMain.engine(), orv::db::Engine::SQLite);
}

TEST_F(WebPagesTest, FailedOpenShowsTheBoxAndReturnsOne) {
  struct Case {
    QString text;
    int16_t posFlag;
  };
  const Case cases[] = {
      {QString(), 0},
      {QString(), 1},
      {"server=;driver={Nothing};database=x", 1},
      {"server=" + orvtest::ClosedPortUrl().mid(7).replace(":", ",") + ";driver={PostgreSQL};uid=u;pwd=;database=x",
       0},
      {"server=;driver={SQLite};database=" + dir_->filePath("no/such/folder/x.db"), 1},
  };
  const QString other = orvtest::NewSqliteDatabase(dir_->path(), "other.db");
  for (const Case &c : cases) {
    (c.posFlag ? gsSetPosDB : gsSetMainDB) = c.text;
    // An earlier open connection is replaced even when the new one fails.
    goDbMain.Open(other);
    orv::dialogs::Script script;
    script.StrictOk().Ok();
    EXPECT_EQ(OpenDbConnection(goDbMain, c.posFlag), 1) << c.text.toStdString();
    EXPECT_FALSE(goDbMain.IsOpen());
    ASSERT_EQ(script.Log().size(), 1);
    const auto &box = script.Log()[0];
    EXPECT_EQ(box.title, "DB연결실패");
    EXPECT_EQ(box.icon, orv::dialogs::Icon::Critical);
    EXPECT_TRUE(box.text.startsWith("오류번호 : ")) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains("\r\n오류내용 : ")) << box.text.toStdString();
  }
}
