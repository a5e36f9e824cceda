// The movie on a real player: clamps, state, and a short AVI of our own when the media
// backend can read it.
#include <gtest/gtest.h>

#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "display/avi_writer.h"
#include "display/clsMovie.h"

using orv::display::clsMovie;

TEST(Movie, ClampsItsSettingsAndDoesNothingWithoutAFile) {
  clsMovie m;
  m.Play();  // no file: nothing
  EXPECT_EQ(m.State(), 0);
  struct Case {
    int set, want;
  } volumes[] = {{500, 0}, {-20000, -10000}, {-2500, -2500}};
  for (const Case &c : volumes) {
    m.SetVolume(c.set);
    EXPECT_EQ(m.Volume(), c.want) << c.set;
  }
  m.SetBalance(20000);
  EXPECT_EQ(m.Balance(), 10000);
  m.SetBalance(-20000);
  EXPECT_EQ(m.Balance(), -10000);
  m.SetSpeed(0);
  EXPECT_DOUBLE_EQ(m.Speed(), 0.1);
  m.SetSpeed(-3);
  EXPECT_DOUBLE_EQ(m.Speed(), 0.1);
  EXPECT_EQ(m.Width(), 0);
  EXPECT_FALSE(m.HasVideo());
}

TEST(Movie, AMissingFileLeavesItEmpty) {
  QWidget host;
  clsMovie m;
  m.SetWindow(&host);
  m.SetFileName("/nonexistent/ORV.avi");
  m.Play();
  QTest::qWait(50);
  EXPECT_FALSE(m.HasVideo());
  EXPECT_DOUBLE_EQ(m.Duration(), 0);
}

TEST(Movie, OurOwnAviPlaysSeeksAndStartsAgainFromItsEnd) {
  QTemporaryDir dir;
  const QString path = dir.filePath("ORV.avi");
  ASSERT_TRUE(orv::display::WriteColourAvi(path, "ORV", 64, 48, 5, 10));  // half a second
  QWidget host;
  host.resize(64, 48);
  host.show();
  clsMovie m;
  m.SetWindow(&host);
  m.SetFileName(path);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return m.Player()->mediaStatus() != QMediaPlayer::LoadingMedia; }, 3000));
  if (!m.HasVideo() || m.Player()->error() != QMediaPlayer::NoError)
    GTEST_SKIP() << "the media backend cannot play it here: "
                 << m.Player()->errorString().toStdString();
  EXPECT_EQ(m.Width(), 64);
  EXPECT_EQ(m.Height(), 48);
  EXPECT_NEAR(m.Duration(), 0.5, 0.11);
  // A seek past the end stops at the end and returns at once.
  m.SetPosition(99);
  EXPECT_NEAR(m.Position(), m.Duration(), 0.11);
  EXPECT_EQ(m.State(), 0);
  m.Play();
  EXPECT_EQ(m.State(), 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return m.Position() == m.Duration(); }, 3000));
  m.Play();  // at the end: again from 0
  EXPECT_EQ(m.State(), 1);
  EXPECT_LT(m.Position(), m.Duration());
  m.StopPlaying();
  EXPECT_EQ(m.State(), 0);
  m.Pause();
  EXPECT_EQ(m.State(), 2);
}
