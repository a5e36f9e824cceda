// The closing reset online: its rows go to the main database as send units right after the
// POS commit. A failing unit leaves the closing done and says so; a kill anywhere (inside
// the reset, between the reset and the send, inside each unit) loses nothing, and after the
// next online login the main database holds each row once.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <csignal>

#include "closing/closing_reset.h"
#include "closing/frmTerminate.h"
#include "closing_fixture.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "sync/basSync.h"
#include "sync/send_units.h"

using closingtest::ClosingFixture;

namespace {

QString Env(const char *name) { return qEnvironmentVariable(name); }

// What the cashier does: open the closing screen, F6, yes, the password.
void CloseTheDay() {
  orv::closing::frmTerminate form;
  form.Form_Activate();
  orv::dialogs::Script s;
  s.ExpectAllUsed(false);
  s.Yes().Input("Pw1");
  form.cmdDelete_Click();
}

}  // namespace

// The child: the globals of the fixture on the databases it is given; closes the day and
// is killed where ORV_CLOSE_KILL says ("reset:<step>", "sent:<step>:<unit>", "closed").
TEST(ClosingChild, ClosesTheDay) {
  if (Env("ORV_CLOSE_CHILD") != "1") GTEST_SKIP() << "runs only as the closing kill test's child";
  goDbPos.Open(Env("ORV_CLOSE_POS"));
  goDbMain.Open(Env("ORV_CLOSE_MAIN"));
  giOnLine = 1;
  gsSetPosDB = Env("ORV_CLOSE_POS");
  gsSetMainDB = Env("ORV_CLOSE_MAIN");
  orv::settings_store::SetFilePath(Env("ORV_CLOSE_INI"));
  orv::clock::SetFixed(QDateTime(QDate(2025, 1, 15), QTime(18, 30, 5)));
  giWrkYear = 2025;
  giWrkMonth = 1;
  giWrkDay = 15;
  giSetPosNo = 3;
  gcLogPsnKey = orv::Currency::Won(15);
  gsLogPwd = "Pw1";
  const QString kill = Env("ORV_CLOSE_KILL");
  orv::closing::SetResetStepHook([&](const char *step) {
    if (kill == "reset:" + QString(step)) raise(SIGKILL);
  });
  int unit = 0;
  orv::sync::SetSendStepHook([&](const char *step) {
    if (qstrcmp(step, "main-half") == 0) {
      if (unit == 0 && kill == "closed") raise(SIGKILL);  // committed, nothing sent yet
      ++unit;
    }
    if (kill == "sent:" + QString(step) + ":" + QString::number(unit)) raise(SIGKILL);
  });
  CloseTheDay();
}

class ClosingSend : public ClosingFixture {
 protected:
  void SetUp() override {
    ClosingFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gsSetPosDB = posText_;
    gsSetMainDB = mainText_;
    orv::schema::EnsureBaseTables(goDbMain);
    CreateMonthTables(2501);
    PlantDay();
    Held("20250114", 7, 15, 2);
    Held("20250115", 9, 15, 0);
  }
  void TearDown() override {
    orv::sync::SetSendStepHook({});
    ClosingFixture::TearDown();
  }
  int Main(const QString &table, const QString &where = {}) { return Count(goDbMain, table, where); }
  int Pos(const QString &table, const QString &where = {}) { return Count(goDbPos, table, where); }
};

TEST_P(ClosingSend, AFailingUnitLeavesTheClosingDoneAndSaysSo) {
  orv::sync::SetSendStepHook([](const char *step) {
    if (qstrcmp(step, "main-commit") == 0) throw orv::db::DbError(55, "main gone");
  });
  orv::closing::frmTerminate form;
  form.Form_Activate();
  orv::dialogs::Script s;
  s.Yes().Input("Pw1");
  QTest::keyClick(&form, Qt::Key_F6);
  ASSERT_EQ(s.Log().size(), 3);
  EXPECT_EQ(s.Log()[2].title, QStringLiteral("마감내역삭제!!"));
  EXPECT_EQ(s.Log()[2].text,
            QStringLiteral("마감은 완료되었으나 본사 전송에 실패했습니다. 다음 온라인 로그인 때 "
                           "전송합니다.\r\n오류번호:55\r\n오류내용:main gone"));
  EXPECT_EQ(Pos("InitGum", "IntPosNo=3 And IntPsnKey=15"), 0) << "the closing stands";
  EXPECT_EQ(Pos("TemData"), 1) << "the summary waits, unsent";
  EXPECT_EQ(Main("TemData"), 0);
  EXPECT_EQ(goDbMain.TransLevel(), 0);

  // The next online login sends what waited.
  orv::sync::SetSendStepHook({});
  SendUnsentData(SendProgress{});
  EXPECT_EQ(Main("TemData", "TemPosNo=3"), 1);
  EXPECT_EQ(Pos("TemData"), 0);
  EXPECT_EQ(Main("PosLogs2501", "PlgPosNo=3"), 2) << "the dropped held chit with lines and the reset";
}

TEST_P(ClosingSend, KilledAnywhereTheNextLoginLeavesEachRowOnceInMain) {
  const QString pos = posText_, main = mainText_;
  // Units: the summary, then the event rows (kind 7 of the held chit with lines, kind 8).
  for (const char *kill : {"reset:Held", "reset:Commit", "closed", "sent:main-commit:1",
                           "sent:pos-commit:1", "sent:main-half:2", "sent:pos-commit:3",
                           "sent:pos-done:3"}) {
    SCOPED_TRACE(kill);
    goDbPos.Close();
    goDbMain.Close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORV_CLOSE_CHILD", "1");
    env.insert("ORV_CLOSE_POS", pos);
    env.insert("ORV_CLOSE_MAIN", main);
    env.insert("ORV_CLOSE_INI", iniDir_->path() + "/OrvZerdo.ini");
    env.insert("ORV_CLOSE_KILL", kill);
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(),
            {"--gtest_filter=ClosingChild.ClosesTheDay", "--gtest_brief=1"});
    ASSERT_TRUE(p.waitForStarted(10000));
    p.waitForFinished(120000);
    EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << "killed";
    goDbPos.Open(pos);
    goDbMain.Open(main);
    const bool closed = Pos("InitGum", "IntPosNo=3 And IntPsnKey=15") == 0;
    EXPECT_EQ(closed, !QString(kill).startsWith("reset:"));
    if (!closed) {
      // Nothing of the reset stands, nothing went out.
      EXPECT_EQ(Pos("TemData"), 0);
      EXPECT_EQ(Pos("WatChitT"), 2);
      EXPECT_EQ(Main("TemData"), 0);
      continue;
    }
    SendUnsentData(SendProgress{});  // the next online login
    EXPECT_EQ(Main("TemData", "TemPosNo=3"), 1);
    EXPECT_EQ(Main("PosLogs2501", "PlgPosNo=3 And PlgSel=7"), 1);
    EXPECT_EQ(Main("PosLogs2501", "PlgPosNo=3 And PlgSel=8"), 1);
    EXPECT_EQ(Pos("TemData"), 0);
    EXPECT_EQ(Pos("PosLogs2501", "PlgSss1=0"), 0);
    EXPECT_EQ(Main("OrvSendJournal"), 0);
    // The next scenario starts from the same open day again.
    goDbMain.Execute("Delete From TemData");
    goDbMain.Execute("Delete From PosLogs2501");
    goDbPos.Execute("Delete From PosLogs2501");
    goDbPos.Execute("Delete From InitGum");
    goDbPos.Execute("Delete From InitGumLog");
    for (const char *t : {"PanChitT2412", "PanChitT2501", "PanListT2412", "PanListT2501",
                             "PanGodsT2412", "PanGodsT2501", "GdsCode", "WatChitT", "WatGodsT",
                             "WatGodsTSpeed"})
      goDbPos.Execute(QString("Delete From ") + t);
    PlantDay();
    Held("20250114", 7, 15, 2);
    Held("20250115", 9, 15, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingSend,
                         ::testing::Values(closingtest::Setup{orv::db::Engine::SQLite, true}),
                         closingtest::SetupName);
