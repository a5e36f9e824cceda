// The remote-support launcher: the notice page, the program buttons, and closing other
// programs' windows by title.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "core/connections.h"
#include "display/PcAnyFrm.h"
#include "fake_web_server.h"
#include "platform/codepage.h"
#include "platform/settings_store.h"

using orv::display::RemotePrograms;

namespace {

const char kNotice[] = "/jdatas13.php?tb=2&id=229&pagenum=1";

bool Shows(PcAnyFrm &f, const QString &text) {
  return QTest::qWaitFor([&] { return f.Web->toPlainText().contains(text); }, 5000);
}

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override { orv::settings_store::SetFilePath(dir_.filePath("OrvZerdo.ini")); }
  void TearDown() override { orv::settings_store::SetFilePath({}); }
  // A program that leaves a marker file when it runs.
  QString MarkerScript(const QString &name) {
    const QString path = dir_.filePath(name + ".sh");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\ntouch \"" + dir_.filePath(name + ".ran").toUtf8() + "\"\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
  }
  bool Ran(const QString &name) {
    const QString marker = dir_.filePath(name + ".ran");
    for (int i = 0; i < 100 && !QFile::exists(marker); ++i) QTest::qWait(20);
    return QFile::exists(marker);
  }
  QTemporaryDir dir_;
};

}  // namespace

TEST_F(LauncherTest, TheNoticePageComesAfterTheFormShows) {
  orvtest::FakeWebServer server;
  server.SetPage(kNotice, orv::codepage::Encode(QStringLiteral(
                              "<p>공지: 점검 안내 <a href='http://example.invalid/'>보기</a></p>")));
  orv::settings_store::SaveSetting(orv::web::kWebServerKey, server.BaseUrl());
  PcAnyFrm f;
  EXPECT_EQ(f.windowTitle(), QStringLiteral("원격 작업 선택"));
  for (const char *b : {"TeamViewCmd", "ZookAgentCmd", "TeamView13Cmd", "PrgExitCmd"})
    EXPECT_NE(f.findChild<QPushButton *>(b), nullptr) << b;
  EXPECT_TRUE(server.Requests().isEmpty());  // not before the form is up
  f.show();
  ASSERT_TRUE(Shows(f, QStringLiteral("점검 안내")));
  EXPECT_EQ(server.Requests(), QStringList{kNotice});
  EXPECT_TRUE(f.Web->openExternalLinks());
}

TEST_F(LauncherTest, WithoutAServerTheAreaSaysSoAndTheButtonsWorkWhileItWaits) {
  {
    PcAnyFrm f;
    f.show();
    ASSERT_TRUE(Shows(f, QStringLiteral("웹 서버가 설정되지 않아")));
  }
  orvtest::FakeWebServer server;
  server.SetSilent(true);
  orv::settings_store::SaveSetting(orv::web::kWebServerKey, server.BaseUrl());
  orv::settings_store::SaveSetting("gsSetRemoteZook", MarkerScript("zook"));
  PcAnyFrm f;
  f.noticeTimeoutMs = 1500;
  f.show();
  QTimer::singleShot(100, f.ZookAgentCmd, &QPushButton::click);
  EXPECT_TRUE(Ran("zook"));  // while the page has not come
  ASSERT_TRUE(Shows(f, QStringLiteral("불러오지 못했습니다")));
}

TEST_F(LauncherTest, EachProgramThatExistsIsStartedAndMissingOnesAreNot) {
  const auto &tv = RemotePrograms()[0];
  // The default when the key is missing or empty; a program without one starts nothing.
  EXPECT_EQ(orv::display::RemoteProgramPaths(tv),
            (QStringList{"/usr/bin/teamviewer", "/opt/teamviewer/tv_bin/script/teamviewer"}));
  orv::settings_store::SaveSetting("gsSetRemoteTvSetup", "");
  PcAnyFrm f;
  EXPECT_EQ(f.Launch(RemotePrograms()[1]), 0);
  orv::settings_store::SaveSetting(
      "gsSetRemoteTv", "/nonexistent/teamviewer;" + MarkerScript("a") + ";" + MarkerScript("b"));
  EXPECT_EQ(f.Launch(tv), 2);
  EXPECT_TRUE(Ran("a"));
  EXPECT_TRUE(Ran("b"));
}
