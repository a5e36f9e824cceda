#include "platform/process.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include "test_support.h"

namespace process = orv::process;

namespace {

// A program called tts in a folder of its own.
QString PlaceTts(const QString &dir, const QByteArray &script) {
  const QString path = QDir(dir).filePath("tts");
  if (script.isEmpty()) {
    QFile::copy(QStandardPaths::findExecutable("sleep"), path);
  } else {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(script);
  }
  QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
  return path;
}

bool Running(const QString &path, int count) {
  return QTest::qWaitFor([&] { return process::ProcessesOf(path).size() == count; }, 3000);
}

}  // namespace

TEST(Process, EndsTheProgramOfThatFolderOnly) {
  const QByteArray script = "#!/bin/sh\nwhile :; do sleep 0.1; done\n";
  struct Case {
    const char *what;
    QByteArray program;  // empty: a copy of a binary
    QStringList args;
  };
  const Case cases[] = {{"script", script, {}}, {"binary", {}, {"30"}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    auto mine = orvtest::MakeTempDir(), other = orvtest::MakeTempDir();
    const QString tts = PlaceTts(mine->path(), c.program);
    const QString namesake = PlaceTts(other->path(), c.program);

    // Two of ours (one as if left from a crashed run) and one of another folder.
    ASSERT_TRUE(process::StartDetached(tts, c.args, mine->path()));
    ASSERT_TRUE(process::StartDetached(tts, c.args, QDir::tempPath()));
    ASSERT_TRUE(process::StartDetached(namesake, c.args, other->path()));
    ASSERT_TRUE(Running(tts, 2));
    ASSERT_TRUE(Running(namesake, 1));

    EXPECT_EQ(process::EndProcessesOf(tts), 2);
    EXPECT_TRUE(Running(tts, 0));
    EXPECT_TRUE(Running(namesake, 1));
    EXPECT_EQ(process::EndProcessesOf(namesake), 1);
    EXPECT_TRUE(Running(namesake, 0));
  }
}

TEST(Process, NothingRunningNothingEnded) {
  auto dir = orvtest::MakeTempDir();
  EXPECT_EQ(process::EndProcessesOf(QDir(dir->path()).filePath("tts")), 0);
  EXPECT_FALSE(process::StartDetached(QDir(dir->path()).filePath("missing")));
}
