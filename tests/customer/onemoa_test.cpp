#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/globals.h"
#include "customer/onemoa.h"
#include "customer_fixture.h"
#include "onemoa_sim.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/db.h"

using customertest::OneMoaSim;
using orv::Currency;
namespace onemoa = orv::onemoa;

TEST(OneMoaWire, Encoders) {
  struct Case {
    const char *in;
    const char *full;   // UrlEncodeUtf8
    const char *value;  // QueryValue
  } cases[] = {
      {"", "", ""},
      {"A-z_0.9~", "A-z_0.9~", "A-z_0.9~"},
      {"a+b", "a%2Bb", "a%2Bb"},
      {"a b", "a%20b", "a%20b"},
      {"가", "%EA%B0%80", "%EA%B0%80"},
      {"?", "%3F", "?"},
      {"1&x=2#3%4", "1%26x%3D2%233%254", "1%26x%3D2%233%254"},
      {"2024-01-05 13:07:42", "2024-01-05%2013%3A07%3A42", "2024-01-05%2013:07:42"},
      {"192.168.0.13/a", "192.168.0.13%2Fa", "192.168.0.13/a"},
      {"a\tb", "a%09b", "a%09b"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(onemoa::UrlEncodeUtf8(QString::fromUtf8(c.in)), QString::fromUtf8(c.full)) << c.in;
    EXPECT_EQ(onemoa::QueryValue(QString::fromUtf8(c.in)), QString::fromUtf8(c.value)) << c.in;
  }
}

TEST(OneMoaWire, TimesAndMemberCodes) {
  EXPECT_EQ(onemoa::BuyDateTime("20240105", "130742"), "2024-01-05 13:07:42");
  const std::pair<const char *, const char *> cancel[] = {
      {"100000", "095959"}, {"102000", "101959"}, {"123456", "123455"},
      {"010000", "245959"}, {"000000", "245959"}, {"000100", "000059"}};
  for (const auto &[in, want] : cancel) EXPECT_EQ(onemoa::CancelTime(in), want) << in;

  const auto parts = onemoa::SplitMemberCode("0000012000034");
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->first7, 12);
  EXPECT_EQ(parts->last6, 34);
  EXPECT_EQ(onemoa::JoinMemberCode(parts->first7, parts->last6), "0000012000034");
  for (const char *bad : {"12345", "12345678901234", "12345678901ab", "", " 1234567890123"})
    EXPECT_FALSE(onemoa::SplitMemberCode(bad)) << bad;

  EXPECT_EQ(onemoa::MaskMemberCode("1234567890123"), "123456789****");
  EXPECT_EQ(onemoa::MaskMemberCode("12345"), "12345****");
  EXPECT_EQ(onemoa::MaskMemberCode(""), "");
  EXPECT_EQ(onemoa::CardKeyOf("9410-1234-1234-1234"), 1);
  EXPECT_EQ(onemoa::CardKeyOf("010-1234-5678"), 0);
}

TEST(OneMoaWire, QueriesInTheServersOrder) {
  const QString s = "http://h:8";
  EXPECT_EQ(onemoa::FindQuery(s, " 010-1 &2 ", "C1"),
            "http://h:8/ONE/C100.mart?mode=proc_pos_personfind&person_num=010-1%20%262"
            "&clienttel=&clientcode=C1");

  onemoa::SaleHeader h{"C1", "1000000000017", Currency::Won(-350), "2024-01-05 13:07:42", "0",
                       "김 판매", "192.168.0.13"};
  EXPECT_EQ(onemoa::SaleHeaderQuery(s, h),
            "http://h:8/ONE/C100.mart?mode=proc_pos_sells&salecode=C1&personcode=1000000000017"
            "&totalamount=-350&buypoint=0&buy_datetime=2024-01-05%2013:07:42&usepoint=0"
            "&old_buydatetime=&gubun=G&pos_username=%EA%B9%80%ED%8C%90%EB%A7%A4"
            "&pos_pcip=192.168.0.13");

  onemoa::SaleLine l{"C1", "1000000000017", "880 1&2", "새 우 깡", *Currency::FromText(QStringLiteral("1.5")),
                     Currency::Won(-2), "2024-01-05 13:07:42"};
  EXPECT_EQ(onemoa::SaleLineQuery(s, l),
            "http://h:8/ONE/C100.mart?mode=proc_pos_sellslist&salecode=C1"
            "&personcode=1000000000017&productcode=880%201%262"
            "&productname=%EC%83%88%EC%9A%B0%EA%B9%A1&price=1.5&qty=-2&couphoncode="
            "&buy_datetime=2024-01-05%2013:07:42");

  onemoa::Registration r;
  r.clientCode = "C1";
  r.name = "?";
  r.tel = " 010-1 ";
  r.year = 1980;
  r.month = 1;
  r.day = -5;
  r.address1 = "서울 '중구'";
  r.address2 = "1";
  r.orderTel = "010-9";
  EXPECT_EQ(onemoa::RegisterQuery(s, r),
            "http://h:8/ONE/C100.mart?mode=proc_person_reg_order&salescode=C1&personname=%3F"
            "&persontel=010-1&salespoint=0&clientcode=&personbirth=1980-01-05&personsex=L"
            "&personjuso=%EC%84%9C%EC%9A%B8%20%60%EC%A4%91%EA%B5%AC%60%201&ordertel=010-9");
  r = {};
  r.male = true;
  EXPECT_TRUE(onemoa::RegisterQuery(s, r).contains("&personbirth=0000-00-00&personsex=M&"));
}

TEST(OneMoaWire, Replies) {
  struct Case {
    const char *name;
    const char *body;
    bool ok;
    int elements;
    const char *resultcode;
  } cases[] = {
      {"last element wins", R"([{"resultcode":"0"},{"resultcode":7,"returnmsg":"x"}])", true, 2, "7"},
      {"a number 0 reads as text 0", R"([{"resultcode":0}])", true, 1, "0"},
      {"a member missing in the last element", R"([{"resultcode":"0"},{"x":1}])", true, 2, ""},
      {"empty array", "[]", true, 0, ""},
      {"empty object", "{}", true, 0, ""},
      {"HTML page", "<html><body>500</body></html>", false, 0, ""},
      {"nothing", "", false, 0, ""},
      {"a non-empty object", R"({"resultcode":"0"})", false, 0, ""},
      {"an element that is no object", R"([{"resultcode":"0"},1])", false, 0, ""},
      {"cut JSON", R"([{"resultcode":"0")", false, 0, ""},
  };
  for (const Case &c : cases) {
    const onemoa::Exchange ex = onemoa::ReadReply(QString::fromUtf8(c.body));
    EXPECT_EQ(ex.ok, c.ok) << c.name;
    EXPECT_EQ(ex.elements, c.elements) << c.name;
    EXPECT_EQ(ex.Value("resultcode"), QString::fromUtf8(c.resultcode)) << c.name;
  }
  EXPECT_EQ(onemoa::ReadReply(R"([{"personname":" O'Brien\"s "}])").Value("personname"),
            "O`Brien`s");
}

class OneMoaServer : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    ASSERT_TRUE(sim_.Start());
    QDir().mkpath(orv::datafolder::Path("OrvBackup"));
    QFile::remove(LogPath("20240105"));
  }
  void TearDown() override { orv::state::ResetProgramState(); }

  static QString LogPath(const QString &date) {
    return orv::datafolder::Path("OrvBackup/OneMoaError" + date + ".Txt");
  }
  static QStringList LogLines(const QString &date) {
    QFile f(LogPath(date));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return orv::codepage::Decode(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
  }

  OneMoaSim sim_;
};

TEST_F(OneMoaServer, MemberLookupFindsTheSimulatorsMember) {
  const onemoa::Exchange ex =
      onemoa::Send(onemoa::FindQuery(onemoa::ServerAddress(), "010-1111-2222", "C1"));
  ASSERT_TRUE(ex.ok);
  EXPECT_EQ(ex.Value("resultcode"), "0");
  EXPECT_EQ(ex.Value("personcode"), "1000000000017");
  EXPECT_EQ(ex.Value("personname"), "홍길동");
  EXPECT_EQ(ex.Value("usingpoint"), "3500");
  EXPECT_EQ(sim_.Requests().value(0),
            "/ONE/C100.mart?mode=proc_pos_personfind&person_num=010-1111-2222&clienttel=&clientcode=C1");
}

TEST_F(OneMoaServer, BrokenAnswersAndNoServerAreFailures) {
  onemoa::SetRequestTimeoutMs(300);
  // A connection closed without an answer is tried again by the HTTP client: twice.
  sim_.Queue("html,hang,empty,two,error,nothing,nothing");
  const QString url = onemoa::SaleHeaderQuery(onemoa::ServerAddress(), {"C1", "1", {}, {}, "0", {}, {}});
  for (const char *what : {"html", "hang"}) {
    const onemoa::SendOutcome o = onemoa::SendOneMoaChit(url);
    EXPECT_TRUE(o.fail) << what;
    EXPECT_EQ(o.message, "") << what;
  }
  EXPECT_TRUE(onemoa::SendOneMoaChit(url).fail) << "an empty array";
  EXPECT_EQ(onemoa::SendOneMoaChit(url).message, "두번째 오류");
  EXPECT_EQ(onemoa::SendOneMoaChit(url).message, "처리오류, 다시 시도");
  EXPECT_TRUE(onemoa::SendOneMoaChit(url).fail) << "nothing";
  EXPECT_FALSE(onemoa::SendOneMoaChit(url).fail);

  const int seen = int(sim_.Requests().size());
  for (const char *setting : {"", "127.0.0.1:80", "https://x", "http://x/ONE"}) {
    orv::settings_store::SaveSetting("gsSetOneMoaServer", setting);
    EXPECT_EQ(onemoa::ServerAddress(), "") << setting;
    EXPECT_TRUE(onemoa::SendOneMoaChit(onemoa::FindQuery(onemoa::ServerAddress(), "1", "C1")).fail);
  }
  EXPECT_EQ(sim_.Requests().size(), seen);
}

TEST_F(OneMoaServer, ReportSendsEveryRequestOnceAndLogsEach) {
  sim_.Queue("error");
  onemoa::Report r;
  r.server = onemoa::ServerAddress();
  r.clientCode = "C1";
  r.personCode = "1000000000017";
  r.date = "20240105";
  r.time = "235959";
  r.chitNo = "12";
  r.total = Currency::Won(3000);
  r.usePoint = "0";
  r.lines = {{2, "8801", "새 우깡", Currency::Won(1000), Currency::Won(2)},
             {150, "8802", "라면", Currency::Won(1000), Currency::Won(1)}};
  EXPECT_FALSE(onemoa::SendReport(r));
  const QStringList log = LogLines("20240105");
  ASSERT_EQ(log.size(), 3) << log.join('\n').toStdString();
  const QString header = sim_.server() + sim_.Requests().value(0);
  EXPECT_EQ(log[0], "X,20240105,235959,12,WriteChit," + header + ",처리오류, 다시 시도");
  EXPECT_TRUE(log[1].startsWith("O,20240105,235959,12,WriteGods-2:새우깡,")) << log[1].toStdString();
  EXPECT_TRUE(log[1].endsWith(",")) << "no message after a success";
  EXPECT_TRUE(log[2].startsWith("O,20240105,235959,12,WriteGods-150:라면,"));
  EXPECT_EQ(sim_.Requests().size(), 3);

  // Every request accepted: true.
  r.lines.clear();
  EXPECT_TRUE(onemoa::SendReport(r));
}

// The flags of a reported chit in the shop's and the POS database.
class OneMoaFlags : public customertest::CustomerFixture {
 protected:
  void SetUp() override {
    CustomerFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    PlantChit(goDbMain, "PanChit2403", 12);
    PlantChit(goDbPos, "PanChitT2403", 812);
    for (auto [c, suffix] : {std::pair{&goDbMain, ""}, std::pair{&goDbPos, "T"}}) {
      const int no = suffix[0] ? 812 : 12;
      c->Execute("Insert Into PanList" + QString(suffix) +
                 "2403 (PclYear, PclMon, PclDay, PclDate, PclChtNo, PclPosNo, PclPsnKey, "
                 "PclSel) Values(2024,3,15,'20240315',12,1,1,1)");
      for (int seq : {1, 2})
        c->Execute("Insert Into PanGods" + QString(suffix) +
                   "2403 (PcgYear, PcgMon, PcgDay, PcgDate, PcgChtNo, PcgSeqNo, PcgGdsKey) "
                   "Values(2024,3,15,'20240315'," + QString::number(no) + "," +
                   QString::number(seq) + ",1)");
    }
  }
  static int Value(orv::db::Connection &c, const QString &sql) {
    return c.OpenRecordset(sql).Field(0).toInt();
  }
  const onemoa::ChitKey main_{2024, 3, 15, 12}, pos_{2024, 3, 15, 812};
};

TEST_P(OneMoaFlags, SendingThenSentWithTheMemberCodesParts) {
  onemoa::MarkOneMoaSending(goDbMain, goDbPos, "2403", main_, pos_);
  EXPECT_EQ(Value(goDbMain, "Select PctSss1 From PanChit2403 Where PctChtNo=12"), 2);
  EXPECT_EQ(Value(goDbPos, "Select PctSss1 From PanChitT2403 Where PctChtNo=812"), 2);

  onemoa::MarkOneMoaSent(goDbMain, goDbPos, "2403", main_, pos_, true, "0000012000034");
  for (auto *c : {&goDbMain, &goDbPos}) {
    const QString t = c == &goDbPos ? "T" : "";
    const QString no = c == &goDbPos ? "812" : "12";
    EXPECT_EQ(Value(*c, "Select PctSss1 From PanChit" + t + "2403 Where PctChtNo=" + no), 1);
    EXPECT_EQ(Value(*c, "Select PclSss3 From PanList" + t + "2403 Where PclChtNo=12"), 12);
    EXPECT_EQ(Value(*c, "Select PclSss4 From PanList" + t + "2403 Where PclChtNo=12"), 34);
    EXPECT_EQ(Value(*c, "Select Count(*) From PanGods" + t + "2403 Where PcgSss3=12 And PcgSss4=34"), 2);
  }
}

TEST_P(OneMoaFlags, ACodeThatCannotComeBackIsNotWritten) {
  onemoa::MarkOneMoaSent(goDbMain, goDbPos, "2403", main_, pos_, false, "12345");
  EXPECT_EQ(Value(goDbMain, "Select PctSss1 From PanChit2403 Where PctChtNo=12"), 2);
  EXPECT_EQ(Value(goDbMain, "Select PclSss3 From PanList2403 Where PclChtNo=12"), 0);
  EXPECT_EQ(Value(goDbPos, "Select Count(*) From PanGodsT2403 Where PcgSss3<>0"), 0);
}

TEST_P(OneMoaFlags, AFailedUpdateRollsBothBackAndLeavesSending) {
  onemoa::MarkOneMoaSending(goDbMain, goDbPos, "2403", main_, pos_);
  goDbPos.Execute("Drop Table PanGodsT2403");
  EXPECT_THROW(onemoa::MarkOneMoaSent(goDbMain, goDbPos, "2403", main_, pos_, true,
                                      "1000000000017"),
               orv::db::DbError);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
  EXPECT_EQ(goDbPos.TransLevel(), 0);
  EXPECT_EQ(Value(goDbMain, "Select PctSss1 From PanChit2403 Where PctChtNo=12"), 2);
  EXPECT_EQ(Value(goDbMain, "Select PclSss3 From PanList2403 Where PclChtNo=12"), 0);
  EXPECT_THROW(onemoa::MarkOneMoaSending(goDbMain, goDbPos, "24x3", main_, pos_),
               orv::db::DbError);
}

INSTANTIATE_TEST_SUITE_P(Engines, OneMoaFlags, testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);
