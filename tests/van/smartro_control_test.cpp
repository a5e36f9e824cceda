// The SMARTRO terminal control and a form's reply state, against the terminal simulator.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QWidget>

#include "core/pos_settings.h"
#include "core/state.h"
#include "sim_process.h"
#include "test_support.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/van_wait.h"

using vantest::SimProcess;

TEST(SmtResultText, KnownCodesOnlyAfterTrimming) {
  const struct { const char *code, *text; } cases[] = {
      {"-3", "송신 DATA 전문구성실패"}, {"-40", "IP입력값 실패"}, {" -30 ", "서버 연결 실패"},
      {"-31", "DATA 전송 실패"}, {"-10", "NAK수신"}, {"-11", "FF수신"}, {"-12", "ETX Check Fail"},
      {"-13", "STX Check Fail"}, {"-9", "TimerOut"}, {"-99", "정의되지 않은 오류"},
      {"-98", "서버응답값 오류"}, {"-97", "전문수신 INDEX 오류"}, {"-96", "메모리 호출 오류"},
      {"-95", "단말기 COM, TCP 선택오류"}, {"-94", "전문데이터 입력 오류"},
      {"-030", ""}, {"30", ""}, {"00", ""}, {"", ""}};
  for (auto c : cases) EXPECT_EQ(SmtResultText(c.code), QString::fromUtf8(c.text)) << c.code;
}

namespace {

class SmartroControl : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    orv::van::Timeouts() = {2000, 400, 400, 400, 0};
    gsSetServerIp = "127.0.0.1";
  }
  void TearDown() override { orv::state::ResetProgramState(); }
  void Sim(const QString &scenario = {}) {
    sim_ = std::make_unique<SimProcess>("orvvansim-smartro", dir_->path(), scenario);
    ASSERT_GT(sim_->Port(), 0);
    gsSetServerPort = QString::number(sim_->Port());
  }
  // A card approval request for months.
  QString Send(SmtReplyState &s, const QString &months = "00") {
    s.msSmtReqKind = "010101";
    s.control()->SmtClear();
    s.control()->SmtSetField(1, "0101");
    s.control()->SmtSetField(2, "01");
    s.control()->SmtSetField(6, months);
    s.control()->SmtSetField(3, "12000");
    s.control()->SmtSetField(4, "1091");
    s.control()->SmtSetField(9, "1");
    return s.SendAndWait();
  }
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<SimProcess> sim_;
  QWidget form_;
};

// The boxes show CR LF line ends as line breaks.
int Lines(const QPlainTextEdit *box) { return box->toPlainText().count("\n"); }

}  // namespace

TEST_F(SmartroControl, AReplyIsStoredDumpedAndThenEndsTheWait) {
  Sim("status=1M,2A\ncode=_00_");
  QStringList statuses;
  SmtReplyState s(&form_, [&](const QString &st) {
    statuses << st;
    return st.trimmed();
  });
  EXPECT_EQ(Send(s), "00");
  EXPECT_EQ(statuses, (QStringList{"1M", "2A"}));
  EXPECT_EQ(s.mnStatusEvent->toPlainText(), "진행이벤트\n1M\n2A\n");
  EXPECT_EQ(Lines(s.mnMsg), 41);
  EXPECT_TRUE(s.mnMsg->toPlainText().contains("승인번호 : 40000001\n"));
  EXPECT_TRUE(s.mnMsg->toPlainText().contains("'단말기번호 : T0001\n"));
  EXPECT_EQ(s.msSmtReply.value(4), "12000");
  EXPECT_EQ(s.msSmtReply.value(21), "01");  // a card approval reads 21 to 24
  const QStringList journal = sim_->Journal();
  ASSERT_EQ(journal.size(), 1);
  EXPECT_TRUE(journal[0].startsWith("REQ | 1=0101 | 2=01 | 3=12000 | 4=1091 | 6=00 | 9=1 | "));

  // A second exchange on the same control: a new connection, the next number.
  EXPECT_EQ(Send(s), "00");
  EXPECT_EQ(s.msSmtReply.value(8), "40000002");
  EXPECT_EQ(Lines(s.mnMsg), 81);
}

TEST_F(SmartroControl, EveryFailureOfTheExchangeIsAnErrorNumber) {
  const struct {
    const char *name, *scenario, *months;
    const char *code;
  } cases[] = {
      {"declined", "", "99", "51"},
      {"terminal error", "error=-10", "00", "-10"},
      {"silence", "silent", "00", "-9"},
      {"dropped", "drop", "00", "-9"},
      {"not a frame", "garbage", "00", "-98"},
      {"no reply code", "nocode", "00", "-98"},
  };
  for (const auto &c : cases) {
    Sim(c.scenario);
    SmtReplyState s(&form_);
    EXPECT_EQ(Send(s, c.months), c.code) << c.name;
    sim_.reset();
  }
  SmtReplyState s(&form_);
  gsSetServerPort = "1";  // nothing listens there
  EXPECT_EQ(Send(s), "-30");
  for (const char *port : {"", "x", "70000"}) {
    gsSetServerPort = port;
    EXPECT_EQ(Send(s), "-40") << port;
  }
  EXPECT_EQ(s.mnErrEvent->toPlainText(), "에러이벤트\n-30\n-40\n-40\n-40\n");
}

TEST_F(SmartroControl, AReplyAfterTheTimeOutIsNotTakenForTheNextRequest) {
  orv::van::Timeouts().smartroMs = 800;
  Sim("late=1200\n");
  SmtReplyState s(&form_);
  EXPECT_EQ(Send(s), "-9");
  EXPECT_EQ(Send(s), "00");
  // The terminal approved the first one late (40000001); that reply never reached us.
  EXPECT_EQ(s.msSmtReply.value(8), "40000002");
}

TEST_F(SmartroControl, TheMerchantQueryTakesTheKeyFromItsFiller) {
  Sim("code=00\nnokey");
  SmtReplyState s(&form_);
  s.SmtQueryMerchantInfo();
  EXPECT_EQ(s.msSmtReqKind, "5201");
  EXPECT_EQ(s.msSmtWorkKey, "0123456789ABCDEF");
  EXPECT_EQ(s.msSmtKeyIndex, "01");
  EXPECT_EQ(Lines(s.mnMsg), 1);  // the waiting send raises no notification
  s.SmtQueryMerchantInfo();
  EXPECT_EQ(s.msSmtWorkKey, "");
  EXPECT_EQ(s.msSmtKeyIndex, "");
  sim_.reset();
  s.msSmtWorkKey = "old";
  s.SmtQueryMerchantInfo();  // no agent
  EXPECT_EQ(s.msSmtWorkKey, "");
}

TEST_F(SmartroControl, AMerchantReplyNotificationStoresItsFieldsAndStops) {
  Sim();
  SmtReplyState s(&form_);
  s.msSmtReqKind = "5201";
  s.msSmtRetCode.clear();
  s.control()->SmtClear();
  s.control()->SmtSetField(1, "5201");
  QString ip = gsSetServerIp;
  s.control()->SmtSend(ip, sim_->Port(), 30);
  EXPECT_TRUE(orv::van::WaitUntil([&] { return !s.msSmtReply.value(45).isEmpty(); }, 2000));
  EXPECT_EQ(s.msSmtReply.value(41), "시험상점");
  EXPECT_EQ(s.msSmtRetCode, "");
  EXPECT_EQ(Lines(s.mnMsg), 1);
  // The next card reply dumps the merchant lines it did not read.
  EXPECT_EQ(Send(s), "00");
  EXPECT_TRUE(s.mnMsg->toPlainText().contains("가맹점 상호 : 시험상점\n"));
}

TEST_F(SmartroControl, TheQuestionButtonTogglesTheThreeBoxes) {
  SmtReplyState s(&form_);
  EXPECT_TRUE(s.SmtMsgCmd->isHidden());
  s.SmtMsgCmd->click();
  for (auto *b : {s.mnMsg, s.mnErrEvent, s.mnStatusEvent}) EXPECT_FALSE(b->isHidden());
  s.SmtMsgCmd->click();
  for (auto *b : {s.mnMsg, s.mnErrEvent, s.mnStatusEvent}) EXPECT_TRUE(b->isHidden());
}

TEST(SmtEncryptSign, NeedsTheKeyTheIndexAndTheImage) {
  auto dir = orvtest::MakeTempDir();
  const QString image = dir->filePath("sign0.bmp");
  QFile f(image);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("BM\x01\x02");
  f.close();
  SmtSndRcvVCAT c;
  QString key = "0123456789ABCDEF", index = "01", path = image, a, b;
  EXPECT_EQ(c.SmtEncryptSign(key, index, path, a, b), 8);
  EXPECT_EQ(a, "01:4");
  EXPECT_EQ(b.size(), 8);
  EXPECT_NE(b, QString::fromLatin1(QByteArray("BM\x01\x02").toHex().toUpper()));
  QString empty, missing = dir->filePath("none.bmp");
  EXPECT_LE(c.SmtEncryptSign(empty, index, path, a, b), 0);
  EXPECT_LE(c.SmtEncryptSign(key, empty, path, a, b), 0);
  EXPECT_LE(c.SmtEncryptSign(key, index, missing, a, b), 0);
}
