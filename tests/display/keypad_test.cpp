// The on-screen keyboard offscreen: keys tapped by name, the result read from the form.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "display/KeyPadAllFrm.h"
#include "platform/datafolder.h"

using orv::display::KeyCap;

namespace {

class KeyPadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = orv::datafolder::Root();
    orv::datafolder::SetRoot(dir_.path());
    QDir(dir_.path()).mkpath("Data");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVPOS_TEST_FIXTURES) + "/hangul_small.txt",
                            dir_.filePath("Data/HanGeul.txt")));
    Reopen();
  }
  void Reopen() {
    f = std::make_unique<KeyPadAllFrm>();
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
  }
  void TearDown() override {
    f.reset();
    orv::datafolder::SetRoot(saved_);
  }
  KeyCap *Key(const QString &name) {
    auto *k = f->findChild<KeyCap *>(name);
    EXPECT_NE(k, nullptr) << name.toStdString();
    return k;
  }
  void Tap(const QString &name) { QTest::mouseClick(Key(name), Qt::LeftButton); }
  // A quick second tap: the toolkit gives it as a double click, then the release.
  void DoubleTap(const QString &name) {
    KeyCap *k = Key(name);
    QTest::mouseClick(k, Qt::LeftButton);
    QTest::mouseDClick(k, Qt::LeftButton);
    QTest::mouseRelease(k, Qt::LeftButton);
  }
  // Jamo by caption: ㄱ is KeyHanLbl_8 and so on.
  void Jamo(const QString &keys) {
    static const QString order = QStringLiteral("ㅃㅉㄸㄲㅆㅂㅈㄷㄱㅅㅁㄴㅇㄹㅎㅋㅌㅊㅍㅒㅖㅛㅕㅑㅐㅔㅗㅓㅏㅣㅠㅜㅡ");
    for (QChar c : keys) Tap(QString("KeyHanLbl_%1").arg(order.indexOf(c)));
  }
  QString Shown() const { return f->KeyGumTxt->text(); }

  QTemporaryDir dir_;
  QString saved_;
  std::unique_ptr<KeyPadAllFrm> f;
};

}  // namespace

TEST_F(KeyPadTest, KeysStandInTheirPlacesWithTheirCaptions) {
  EXPECT_EQ(f->windowTitle(), QStringLiteral("숫자 문자 입력"));
  // Each row's 16 captions; in rows 1-2 the blank key, then OK and cancel over two cells.
  const QStringList rows = {
      QStringLiteral("ABCDEFGHIJKL_←##"), QStringLiteral("MNOPQRSTUVWX\\ⓒ##"),
      QStringLiteral("abcdefghijkl:;_|"), QStringLiteral("mnopqrstuvwx()<>"),
      QStringLiteral("YZyz`~!@#$^&789+"), QStringLiteral("ㅃㅉㄸㄲㅆㅛㅕㅑㅐㅔㅒㅖ456-"),
      QStringLiteral("ㅂㅈㄷㄱㅅㅗㅓㅏㅣㅠㅜㅡ123*"), QStringLiteral("ㅁㄴㅇㄹㅎㅋㅌㅊㅍ,.?0%=/")};
  const KeyCap *first = Key("KeyAhLbl");
  const QPoint origin = first->geometry().center();
  const int dx = Key("KeyBhLbl")->x() - first->x(), dy = Key("KeyMhLbl")->y() - first->y();
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 16; ++c) {
      auto *k = qobject_cast<KeyCap *>(f->childAt(origin + QPoint(c * dx, r * dy)));
      ASSERT_NE(k, nullptr) << r + 1 << "," << c + 1;
      const QChar want = rows[r][c];
      if (r < 2 && c >= 14) {
        EXPECT_EQ(k->objectName(), r == 0 ? "KeyEnterLbl" : "KeyExitLbl") << r + 1 << "," << c + 1;
      } else if (r == 0 && c == 12) {
        EXPECT_EQ(k->objectName(), "KeySpcLbl");
      } else {
        EXPECT_EQ(k->text(), QString(want)) << r + 1 << "," << c + 1;
      }
    }
  }
  EXPECT_EQ(f->findChildren<KeyCap *>().size(), 89 + 33 + 4);
}

TEST_F(KeyPadTest, OpensWithNoResultAndItsSyllableTable) {
  EXPECT_EQ(f->KeyPadOk(), 0);
  EXPECT_EQ(f->KeyPadText(), "");
  EXPECT_EQ(f->han.HanTblCnt, 12);
}

TEST_F(KeyPadTest, JamoComposeAndBackspaceTakesOneKey) {
  Jamo(QStringLiteral("ㅎㅏㄴㄱㅡㄹ"));
  EXPECT_EQ(Shown(), QStringLiteral("한글"));
  Tap("KeyBsLbl");
  EXPECT_EQ(Shown(), QStringLiteral("한ㄱㅡ"));  // the small table has no 그
  Tap("KeyDelLbl");
  EXPECT_EQ(Shown(), "");
  Jamo(QStringLiteral("ㄱㅏ"));
  Tap("KeyBsLbl");
  EXPECT_EQ(Shown(), QStringLiteral("ㄱ"));
  Tap("KeyDelLbl");
  Jamo(QStringLiteral("ㄱㅏㄴㅏ"));
  EXPECT_EQ(Shown(), QStringLiteral("가나"));
  Tap("KeyBsLbl");
  EXPECT_EQ(Shown(), QStringLiteral("간"));
  Tap("KeyDelLbl");
  Jamo(QStringLiteral("ㄱㅏ"));
  Tap("Key1Lbl");
  EXPECT_EQ(Shown(), QStringLiteral("가1"));
  Tap("KeyBsLbl");
  EXPECT_EQ(Shown(), QStringLiteral("가"));
  EXPECT_EQ(f->KeyGumTxt->cursorPosition(), 1);
}

TEST_F(KeyPadTest, ADoubleTapTypesACharacterTwiceAndAJamoOnce) {
  DoubleTap("KeyAhLbl");
  EXPECT_EQ(Shown(), "AA");
  DoubleTap("KeyHanLbl_8");  // ㄱ
  EXPECT_EQ(Shown(), QStringLiteral("AAㄱ"));
  DoubleTap("KeyBsLbl");
  EXPECT_EQ(Shown(), "A");
  DoubleTap("KeyDelLbl");
  EXPECT_EQ(Shown(), "");
  DoubleTap("KeyEnterLbl");  // one OK closes once
  EXPECT_EQ(f->KeyPadOk(), 1);
  EXPECT_FALSE(f->isVisible());
}

TEST_F(KeyPadTest, OkHandsBackTheTextMadeSqlSafe) {
  struct Case {
    const char *what;
    QStringList keys;
    QString text;
  } cases[] = {
      {"nothing typed", {}, ""},
      {"three blanks are stripped", {"KeySpcLbl", "KeySpcLbl", "KeySpcLbl"}, ""},
      {"blanks inside stay", {"KeyALbl", "KeySpcLbl", "KeyBLbl"}, "a b"},
  };
  for (const Case &c : cases) {
    Reopen();
    for (const QString &k : c.keys) Tap(k);
    Tap("KeyEnterLbl");
    EXPECT_EQ(f->KeyPadOk(), 1) << c.what;
    EXPECT_EQ(f->KeyPadText(), c.text) << c.what;
  }
  // Quotes typed on the physical keyboard become grave accents.
  Reopen();
  f->KeyGumTxt->setFocus();
  QTest::keyClicks(f->KeyGumTxt, "it's \"x\"");
  Tap("KeyEnterLbl");
  EXPECT_EQ(f->KeyPadText(), "it`s `x`");
}

TEST_F(KeyPadTest, EnterAndDownInTheBoxAreOkAndUpStays) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Down}) {
    Reopen();
    Jamo(QStringLiteral("ㅎㅏㄴ"));
    QTest::keyClick(f->KeyGumTxt, Qt::Key_Up);
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->KeyGumTxt->hasFocus());
    QTest::keyClick(f->KeyGumTxt, key);
    EXPECT_EQ(f->KeyPadOk(), 1);
    EXPECT_EQ(f->KeyPadText(), QStringLiteral("한"));
    EXPECT_EQ(f->result(), QDialog::Accepted);
  }
}

TEST_F(KeyPadTest, EscCancelAndTheCloseBoxHandBackNothing) {
  Jamo(QStringLiteral("ㅎㅏㄴ"));
  QTest::keyClick(f->KeyGumTxt, Qt::Key_Escape);
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(f->KeyPadOk(), 0);
  EXPECT_EQ(f->KeyPadText(), "");

  Reopen();
  Tap("KeyALbl");
  Tap("KeyExitLbl");
  EXPECT_EQ(f->KeyPadOk(), 0);
  EXPECT_EQ(f->KeyPadText(), "");

  Reopen();
  Tap("KeyALbl");
  f->close();
  EXPECT_EQ(f->KeyPadOk(), 0);
  EXPECT_EQ(f->KeyPadText(), "");
}

TEST_F(KeyPadTest, TextTypedOnThePhysicalKeyboardLastsUntilTheNextJamo) {
  Jamo(QStringLiteral("ㄱㅏ"));
  QTest::keyClicks(f->KeyGumTxt, "x");
  Tap("Key1Lbl");
  EXPECT_EQ(Shown(), QStringLiteral("가x1"));
  Jamo(QStringLiteral("ㄴ"));
  EXPECT_EQ(Shown(), QStringLiteral("가1ㄴ"));
}

TEST_F(KeyPadTest, TheBoxIsYellowWhileItHasTheFocus) {
  Tap("KeyALbl");
  EXPECT_EQ(f->KeyGumTxt->palette().color(QPalette::Base), QColor(255, 255, 128));
  f->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(f->KeyGumTxt->palette().color(QPalette::Base), QColor(255, 255, 255));
}
