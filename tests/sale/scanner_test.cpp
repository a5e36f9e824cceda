#include "sale/scanner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTest>
#include <stdexcept>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "pseudo_terminal.h"
#include "sale/sale_globals.h"
#include "test_support.h"

using orv::sale::CompleteScanCode;
using orv::sale::Scanner;
namespace dialogs = orv::dialogs;

TEST(ScanCompletion, CleansCutsAndCompletes) {
  // 8-character barcodes on file.
  const QStringList onFile = {"01234560", "01234567", "00123459"};
  struct Case {
    const char *raw;
    const char *code;
    const char *lookedUp;  // the digits looked up, "" for none
    const char *chit;
  };
  const Case cases[] = {
      {"8801234567890\r", "8801234567890", "", ""},
      {"880123456789", "0880123456789", "", ""},  // 12 digits
      {"80123456789", "0080123456789", "", ""},   // 11 digits
      {"1234567", "01234567", "", ""},            // 7 digits, first not 0
      {"0123456", "01234560", "0123456", ""},     // 7 digits from 0: the first on file
      {"0999999", "0999999", "0999999", ""},      // nothing on file
      {"123456", "01234560", "0123456", ""},      // 6 digits: "0" put in front
      {"999999", "0999999", "0999999", ""},
      {"001234", "00123459", "001234", ""},       // 6 digits from 0
      {"009999", "009999", "009999", ""},
      {"88012345678901", "8801234567890", "", "88012345678901"},  // 14: a receipt's code
      {"88012345678901234567", "8801234567890", "", ""},
      {" 880-1234 567890\r\n", "8801234567890", "", ""},
      {"12345", "12345", "", ""},
      {"--..\r", "", "", ""},  // noise without digits
      {"", "", "", ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.raw);
    QStringList asked;
    const auto lookup = [&](const QString &digits) {
      asked << digits;
      for (const QString &b : onFile)
        if (b.startsWith(digits)) return b;
      return QString();
    };
    const orv::sale::ScanCode sc = CompleteScanCode(c.raw, lookup);
    EXPECT_EQ(sc.code, c.code);
    EXPECT_EQ(sc.chitCode, c.chit);
    EXPECT_EQ(asked.join(','), c.lookedUp);  // at most one lookup per code
  }
}

TEST(ScanCompletion, AFailedLookupKeepsThePaddedCode) {
  const auto failing = [](const QString &) -> QString { throw std::runtime_error("gone"); };
  EXPECT_EQ(CompleteScanCode("123456", failing).code, "0123456");
  EXPECT_EQ(CompleteScanCode("123456", {}).code, "0123456");
  EXPECT_EQ(CompleteScanCode("012345", [](const QString &) { return QString(" 01234599 "); }).code,
            "01234599");  // trimmed
}

namespace {

constexpr int kCom = 6;

class ScannerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.Ok());
    dir_ = orvtest::MakeTempDir();
    orv::settings_store::SetFilePath(QDir(dir_->path()).filePath("OrvZerdo.ini"));
    giScanPort = kCom;
    gsScanSettings = "9600,N,8,1";
    giSetinterval = 20;
    giSetHandScaner = 0;
    giSetScanSets = 0;
  }
  void TearDown() override {
    scanner_.reset();
    orv::state::ResetProgramState();
    orv::state::ResetSaleGlobals();
    orv::settings_store::SetFilePath({});
    orv::clock::Reset();
  }

  // Polled (events = false) or event-driven.
  void Load(bool events) {
    giSetScanSets = events ? 1 : 0;
    scanner_.reset();  // the port is free again
    scanner_ = std::make_unique<Scanner>();
    Scanner::Hooks h;
    h.codeColumnActive = [this] { return codeColumn_; };
    h.mayTakeCodes = [this] { return codeColumn_ && focus_; };
    h.enter = [this](const QString &code) { entered_ << code; };
    h.lookup = [](const QString &digits) {
      return QString("01234560").startsWith(digits) ? QString("01234560") : QString();
    };
    h.hasCustomer = [this] { return customer_; };
    scanner_->SetHooks(h);
    scanner_->Load();
  }
  testing::AssertionResult EnteredBecomes(const QStringList &codes) {
    if (QTest::qWaitFor([&] { return entered_ == codes; }, 2000)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "entered: " << entered_.join(',').toStdString();
  }
  // Lets the scanner work for a while (polling ticks, receive events).
  void Idle(int ms = 150) { QTest::qWait(ms); }

  orvtest::Pty pty_{kCom};
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<Scanner> scanner_;
  QStringList entered_;
  bool codeColumn_ = true, focus_ = true, customer_ = false;
};

}  // namespace

TEST_F(ScannerTest, LoadChoosesTheModeAndOpensThePortInEveryMode) {
  Load(false);
  EXPECT_EQ(scanner_->miScanMode, Scanner::kPolled);
  EXPECT_TRUE(scanner_->tmrScan->isActive());
  EXPECT_EQ(scanner_->tmrScan->interval(), 20);
  EXPECT_TRUE(scanner_->MSComm2->PortOpen());
  EXPECT_EQ(scanner_->MSComm2->RThreshold(), 0);

  giSetScanXonOff = 1;
  Load(true);
  EXPECT_EQ(scanner_->miScanMode, Scanner::kEvents);
  EXPECT_FALSE(scanner_->tmrScan->isActive());
  EXPECT_EQ(scanner_->MSComm2->RThreshold(), 1);
  EXPECT_EQ(scanner_->MSComm2->Handshaking(), 3);

  giSetHandScaner = 1;
  giSetinterval = 0;
  Load(true);
  EXPECT_EQ(scanner_->miScanMode, Scanner::kHandOnly);
  EXPECT_EQ(scanner_->tmrScan->interval(), 50);
  EXPECT_TRUE(scanner_->MSComm2->PortOpen());  // opened, never read
  pty_.Send("8801234567890\r");
  Idle();
  EXPECT_TRUE(entered_.isEmpty());
}

TEST_F(ScannerTest, PortsThatCannotOpenOrAreNotSet) {
  qputenv("ORVPOS_COM9", "/nonexistent/ttyX");
  giScanPort = 9;
  {
    dialogs::Script s;
    Load(false);
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].text,
              QStringLiteral("현재 포트:Com9가 잘못되었습니다.\r\n스캐너가 제대로 작동될수 없습니다."));
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("포트열기실패"));
  }
  qunsetenv("ORVPOS_COM9");
  EXPECT_EQ(scanner_->miScanPortFail, 1);
  EXPECT_TRUE(scanner_->tmrScan->isActive());  // ticks on, finds nothing
  // The port stays alone for this run, also around dialogs.
  EXPECT_NO_THROW(scanner_->OpenScanPort());
  { orv::sale::ScanPause p(*scanner_, Scanner::PauseKind::TimerAndPort); }
  EXPECT_FALSE(scanner_->MSComm2->PortOpen());
  Idle(60);
  EXPECT_TRUE(entered_.isEmpty());

  for (auto [port, settings] : {std::pair{0, "9600,N,8,1"}, std::pair{kCom, ""}}) {
    giScanPort = int16_t(port);
    gsScanSettings = settings;
    dialogs::Script s;  // no box
    Load(false);
    EXPECT_EQ(scanner_->miScanPortFail, 0);
    EXPECT_FALSE(scanner_->MSComm2->PortOpen());
  }
}

TEST_F(ScannerTest, PolledCodesEndWithACarriageReturnOrAQuietInterval) {
  Load(false);
  pty_.Send("8801234567890\r");
  ASSERT_TRUE(EnteredBecomes({"8801234567890"}));
  pty_.Send("880123456789");  // no carriage return
  ASSERT_TRUE(EnteredBecomes({"8801234567890", "0880123456789"}));
  pty_.Send("123456\r");  // completed through the lookup
  ASSERT_TRUE(EnteredBecomes({"8801234567890", "0880123456789", "01234560"}));
}

TEST_F(ScannerTest, BothModesDropNoiseAndTakeCodesThatCameTogether) {
  for (bool events : {false, true}) {
    SCOPED_TRACE(events ? "events" : "polled");
    entered_.clear();
    Load(events);
    // Noise without digits never reaches the grid: Enter on an empty code cell would be
    // the payment key.
    pty_.Send("\r");
    pty_.Send("-.-\r");
    Idle();
    EXPECT_TRUE(entered_.isEmpty());
    pty_.Send("1111111111111\r2222222222222\r");
    EXPECT_TRUE(EnteredBecomes({"1111111111111", "2222222222222"}));
  }
}

// A frame is whole only when its bytes come close together; what is left of noise or of a
// frame that lost its end is never glued to the next scan, and noise is never rung up.
TEST_F(ScannerTest, EventFramesArriveInPiecesAndNoiseIsDropped) {
  struct Piece {
    const char *bytes;
    int waitAfterMs;
  };
  struct Case {
    const char *name;
    std::vector<Piece> pieces;
    QStringList entered;
  };
  const Case cases[] = {
      {"a frame split by a short gap", {{"88012", 15}, {"34567890\r", 0}}, {"8801234567890"}},
      {"a frame without its end, then a scan",
       {{"88012", 250}, {"2222222222222\r", 0}},
       {"2222222222222"}},
      {"noise, then a scan", {{"\x01" "ab?\r", 250}, {"8801234567890\r", 0}}, {"8801234567890"}},
      {"noise with digits and no end, then a scan",
       {{"\x13" "7\x11", 250}, {"8801234567890\r", 0}},
       {"8801234567890"}},
      {"an over-long frame, then a scan",
       {{"123456789012345678901234567890\r", 15}, {"8801234567890\r", 0}},
       {"8801234567890"}},
  };
  Load(true);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    entered_.clear();
    for (const Piece &p : c.pieces) {
      pty_.Send(p.bytes);
      if (p.waitAfterMs > 0) Idle(p.waitAfterMs);
    }
    EXPECT_TRUE(EnteredBecomes(c.entered));
    Idle(30);
    EXPECT_EQ(entered_, c.entered);
    EXPECT_EQ(scanner_->msScanBuffer, "");
  }
}

TEST_F(ScannerTest, CodesWaitInThePortWhileTheCursorIsInAnotherColumn) {
  Load(false);
  codeColumn_ = false;
  pty_.Send("8801234567890\r");
  Idle();
  EXPECT_TRUE(entered_.isEmpty());
  codeColumn_ = true;
  EXPECT_TRUE(EnteredBecomes({"8801234567890"}));

  // Code column but the focus elsewhere: read and dropped.
  focus_ = false;
  pty_.Send("2222222222222\r");
  Idle();
  focus_ = true;
  Idle();
  EXPECT_EQ(entered_, QStringList{"8801234567890"});
}

TEST_F(ScannerTest, PausesAroundDialogs) {
  Load(false);
  {
    // The grid's dialogs: timer and port, nested as dialogs open dialogs.
    orv::sale::ScanPause outer(*scanner_, Scanner::PauseKind::TimerOnly);
    {
      orv::sale::ScanPause inner(*scanner_, Scanner::PauseKind::TimerAndPort);
      EXPECT_FALSE(scanner_->MSComm2->PortOpen());
      EXPECT_FALSE(scanner_->tmrScan->isActive());
    }
    EXPECT_TRUE(scanner_->MSComm2->PortOpen());
    EXPECT_FALSE(scanner_->tmrScan->isActive());  // the outer dialog is still open
    // The closing button, the partner chooser: a code scanned meanwhile waits.
    pty_.Send("8801234567890\r");
    Idle();
    EXPECT_TRUE(entered_.isEmpty());
  }
  EXPECT_TRUE(scanner_->tmrScan->isActive());
  EXPECT_TRUE(EnteredBecomes({"8801234567890"}));

  // A dialog opened while a code is entered does not restart the timer inside the tick.
  bool activeInside = true;
  scanner_->SetHooks({[] { return true; }, [] { return true; },
                      [&](const QString &) {
                        { orv::sale::ScanPause p(*scanner_, Scanner::PauseKind::TimerAndPort); }
                        activeInside = scanner_->tmrScan->isActive();
                        entered_ << "x";
                      },
                      {}, {}, {}});
  pty_.Send("1\r");
  ASSERT_TRUE(QTest::qWaitFor([&] { return entered_.size() == 2; }, 2000));
  EXPECT_FALSE(activeInside);
  EXPECT_TRUE(QTest::qWaitFor([&] { return scanner_->tmrScan->isActive(); }, 1000));
}

TEST_F(ScannerTest, ChangedWorkDateIsConfirmedByTheNextCode) {
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
  gsLogPwd = "1234";
  struct Case {
    bool events;
    const char *answer;  // nullptr: Cancel
    bool kept;
  };
  const Case cases[] = {{false, "1234", true}, {false, "9999", false},
                        {true, "1234", true},  {true, nullptr, false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.events << " " << (c.answer ? c.answer : "cancel"));
    entered_.clear();
    giWrkYear = 2024, giWrkMonth = 3, giWrkDay = 14;
    giWrkDateChanged = 1;
    dialogs::Script s;
    c.answer ? s.Input(c.answer) : s.InputCancel();
    Load(c.events);
    // Polled, the question comes at the next tick without a code; in events, with the
    // next code, which is dropped.
    if (c.events) pty_.Send("1111111111111\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return giWrkDateChanged == 0; }, 2000));
    pty_.Send("2222222222222\r");
    EXPECT_TRUE(EnteredBecomes({"2222222222222"}));
    ASSERT_GE(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].kind, dialogs::Kind::InputBox);
    EXPECT_EQ(s.Log()[0].echo, dialogs::Echo::Password);
    EXPECT_EQ(s.Log()[0].title, "");
    EXPECT_EQ(s.Log()[0].text,
              c.events ? QStringLiteral("날짜가 틀립니다..계속진행하려면 비밀번호를 입력하세요.")
                       : QStringLiteral("* 날짜가 틀립니다. 계속 진행하려면 비밀번호(로그인비번)를 입력하세요 !"));
    EXPECT_EQ(giWrkDay, c.kept ? 14 : 15);
    EXPECT_EQ(s.Log().size(), c.kept ? 1 : 2);
    if (!c.kept) {
      EXPECT_EQ(s.Log()[1].text, c.events ? QStringLiteral("현재 날짜로 바뀝니다")
                                          : QStringLiteral("* 현재 날짜로 바뀝니다 !"));
      EXPECT_EQ(s.Log()[1].title, QStringLiteral("날짜변경"));
    }
  }
}

TEST_F(ScannerTest, WorkDateOfTodayAsksNothing) {
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
  giWrkYear = 2024, giWrkMonth = 3, giWrkDay = 15;
  giWrkDateChanged = 1;
  Load(true);
  pty_.Send("1111111111111\r");
  EXPECT_TRUE(EnteredBecomes({"1111111111111"}));
  EXPECT_EQ(giWrkDateChanged, 1);
}

TEST_F(ScannerTest, VoiceFlagIsWrittenOnlyWhenItDiffers) {
  namespace ss = orv::settings_store;
  Load(false);
  customer_ = true;
  ss::SaveSetting("giSetWavCard", "1");
  ASSERT_TRUE(QTest::qWaitFor([] { return ss::GetSetting("giSetWavCard") == "0"; }, 2000));
  const QFileInfo file(ss::FilePath());
  const QDateTime written = file.fileTime(QFileDevice::FileModificationTime);
  Idle(200);  // about ten ticks with a customer
  EXPECT_EQ(QFileInfo(ss::FilePath()).fileTime(QFileDevice::FileModificationTime), written);
  // Another writer set it again: the next tick puts it back.
  ss::SaveSetting("giSetWavCard", "1");
  EXPECT_TRUE(QTest::qWaitFor([] { return ss::GetSetting("giSetWavCard") == "0"; }, 2000));

  customer_ = false;
  ss::SaveSetting("giSetWavCard", "1");
  Idle(100);
  EXPECT_EQ(ss::GetSetting("giSetWavCard"), "1");
}

TEST_F(ScannerTest, FourteenDigitsLeaveTheReceiptCode) {
  Load(true);
  pty_.Send("88012345678901\r");
  EXPECT_TRUE(EnteredBecomes({"8801234567890"}));
  EXPECT_EQ(gsScanChitCode, "88012345678901");
}
