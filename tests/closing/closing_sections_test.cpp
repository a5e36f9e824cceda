#include <gtest/gtest.h>

#include <QFile>

#include "closing/closing_reports.h"
#include "closing/closing_sections.h"
#include "closing_fixture.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/printer_port.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"

using namespace orv::closing;
using closingtest::ClosingFixture;
using orv::Currency;

namespace {

Currency W(int64_t v) { return *Currency::FromWhole(v); }
const Dialect kSqlite(orv::db::Engine::SQLite);

TEST(ClosingSectionSql, MonthsJoinedInOrderAndNoStatementWithoutAMonth) {
  struct Case {
    int prev, cur, next;
    const char *months;  // the suffixes in the order they appear
  } cases[] = {{0, 1, 0, "2501"}, {0, 1, 1, "2501 2502"}, {1, 1, 1, "2412 2501 2502"},
               {1, 0, 1, "2412 2502"}, {0, 0, 0, ""}};
  for (const Case &c : cases) {
    ClosingContext ctx = MakeClosingContext(2025, 1, 15);
    ctx.miHasPrev = int16_t(c.prev);
    ctx.miHasCur = int16_t(c.cur);
    ctx.miHasNext = int16_t(c.next);
    const SectionSql s = SqlSaleByTrs(kSqlite, ctx, W(7));
    const QStringList months = QString(c.months).split(' ', Qt::SkipEmptyParts);
    if (months.isEmpty()) {
      EXPECT_TRUE(s.IsEmpty());
      EXPECT_TRUE(SqlTemCardByCom(kSqlite, ctx, W(7), {"20250115", 1}).IsEmpty());
      continue;
    }
    EXPECT_EQ(s.text.count(" UNION ALL "), months.size() - 1) << c.months;
    qsizetype at = 0;
    for (const QString &m : months) {
      const qsizetype found = s.text.indexOf("PanGodsT" + m, at);
      EXPECT_GT(found, at - 1) << m.toStdString() << " in order in " << c.months;
      at = found;
    }
    EXPECT_EQ(s.args.size(), months.size()) << "the cashier key once per month";
    EXPECT_FALSE(s.text.contains("7")) << "values are bound";
    const SectionSql tem = SqlTemSaleByTrs(kSqlite, ctx, W(7), {"20250115", 3});
    EXPECT_EQ(tem.args.size(), 4 * months.size());
    EXPECT_FALSE(tem.text.contains("PctSss3")) << "a saved closing counts closed chits";
  }
}

class ClosingSections_ : public ClosingFixture {
 protected:
  void SetUp() override {
    ClosingFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ini_ = orvtest::MakeTempDir();
    orv::settings_store::SetFilePath(ini_->path() + "/OrvZerdo.ini");
    for (int n = 1; n <= 7; ++n) orv::settings_store::SaveSetting(QString("PosSalePrn%1").arg(n), "1");
    giSetVan = 4;
    Exec("Insert Into TrsCode (TcdKey,TcdNo,TcdName) Values(500,50,'가나상사')");
    Exec("Insert Into TrsCode (TcdKey,TcdNo,TcdName) Values(600,60,'다라''s 유통')");
    Exec("Insert Into ExtCode (EcdKey,EcdIO,EcdNo,EcdName) Values(10,101,1,'식품')");
    Exec("Insert Into ExtCode (EcdKey,EcdIO,EcdNo,EcdName) Values(11,101,2,'유제품')");
    Exec("Insert Into ExtCode (EcdKey,EcdIO,EcdNo,EcdName) Values(20,102,5,'과일')");
    GoodsOf(1, "바나나", 0, 500, 10, 20);
    GoodsOf(2, "쿠폰A", 9, 500, 10, 20);
    GoodsOf(3, "우유", 0, 777, 11, 0);  // its supplier has no TrsCode
    Exec("Update GdsCode Set GcdSel1=Null Where GcdKey=3");  // no coupon mark: ordinary goods
    // December: a partner's credit and a BC card chit.
    Chit("20241230", 1, 15, {"PctTrsKey=500", "PctOiSang=3000", "PctCard=5000",
                             "PctCdComNo='0001'", "PctCdComName='비씨카드'"});
    Line("20241230", 1, 1, 1, "2", "10000");
    Line("20241230", 1, 2, 99, "1", "500");  // goods missing from GdsCode
    // January: the same partner again, the same card code under another name, a returned
    // coupon line, a coupon sold, a return.
    Chit("20250115", 1, 15, {"PctTrsKey=500", "PctOiSang=2000", "PctCard=7000",
                             "PctCdComNo='0001'", "PctCdComName='BC카드'"});
    Line("20250115", 1, 1, 1, "1", "4000");
    Line("20250115", 1, 2, 2, "-1", "-1000");
    Line("20250115", 1, 3, 2, "1", "1000");
    Line("20250115", 1, 4, 3, "-2", "-3000");
    Chit("20250115", 2, 15, {"PctTrsKey=999", "PctOiSang=1500", "PctCard=2000"});
    Chit("20250115", 3, 15, {"PctSss2=9", "PctTrsKey=600", "PctRGum=6000"});
    Chit("20250115", 4, 15, {"PctTrsKey=600", "PctOiSang=800"}, 1);  // closed
    Line("20250115", 4, 1, 1, "1", "900");
    Chit("20250115", 5, 16, {"PctTrsKey=500", "PctOiSang=4444"});  // another cashier
    Line("20250115", 5, 1, 1, "1", "7777");
    // Saved closings of the 16th: cashier 15's lists chits 1 and the closed 4; cashier
    // 16's lists chit 5 under the same date and number.
    Detail(15, 1, "20250115", 1);
    Detail(15, 2, "20250115", 4);
    Detail(16, 1, "20250115", 5);
  }
  void TearDown() override {
    orv::settings_store::SetFilePath({});
    ClosingFixture::TearDown();
  }
  std::unique_ptr<QTemporaryDir> ini_;
  static void Exec(const QString &sql) { goDbPos.Execute(sql); }
  static void GoodsOf(int key, const QString &name, int sel1, int meip, int bmn1, int bmn2) {
    Exec(QString("Insert Into GdsCode (GcdKey,GcdNo,GcdName,GcdSel1,GcdMeipKey,GcdBmn1Key,"
                 "GcdBmn2Key) Values(%1,%2,'%3',%4,%5,%6,%7)")
             .arg(key).arg(key + 1000).arg(name).arg(sel1).arg(meip).arg(bmn1).arg(bmn2));
  }
  static void Detail(int psn, int seq, const QString &date, int no) {
    Exec(QString("Insert Into TemDetail (TmdDate,TmdChtNo,TmdPsnKey,TmdSeq,TmdPctDate,"
                 "TmdPctChtNo) Values('20250116',1,%1,%2,'%3',%4)")
             .arg(psn).arg(seq).arg(date).arg(no));
  }
  static QString Rows(const ReportInput &in, SectionKind kind) {
    QStringList out;
    for (const ReportSection &s : in.sections) {
      if (s.kind != kind) continue;
      for (const SectionRow &r : s.rows)
        out << QString("%1|%2|%3|%4|%5").arg(r.code, r.name, r.su.ToPlainText(),
                                             r.count.ToPlainText(), r.amount.ToPlainText());
    }
    return out.join(" ; ");
  }
};

TEST_P(ClosingSections_, OpenChitsOfTheCashier) {
  ClosingContext ctx = WorkDateContext();
  ProbeClosingContext(ctx);
  const ReportInput in = ReadClosingReport(ReportKind::Standard, {}, ctx);
  struct Case {
    SectionKind kind;
    const char *rows;
  } cases[] = {
      {SectionKind::Supplier, "|가나상사|0|0|14000"},
      {SectionKind::Bmn1, "|식품|0|0|14000 ; |유제품|0|0|-3000"},
      {SectionKind::Bmn2, "|과일|0|0|14000"},
      {SectionKind::Bmn3, ""},
      {SectionKind::Returns, "|우유|-2|0|-3000"},
      {SectionKind::Coupon, "|쿠폰A|-1|0|-1000"},
      {SectionKind::Card, "0000||0|1|2000 ; 0001|비씨|0|2|12000"},
      {SectionKind::CardDetail, "0000||0|1|2000 ; 0001|BC카드|0|1|7000 ; 0001|비씨카드|0|1|5000"},
      {SectionKind::Credit, "|가나상사|0|0|5000 ; ||0|0|1500"},
      {SectionKind::Collections, "|다라's 유통|0|0|6000"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(Rows(in, c.kind), QString::fromUtf8(c.rows)) << int(c.kind);
}

TEST_P(ClosingSections_, SavedClosingCountsItsChitsClosedOrNotAndOnlyTheCashiers) {
  orv::settings_store::SaveSetting("TemDate", "20250116");
  orv::settings_store::SaveSetting("TemChtNo", "1");
  ClosingContext ctx = WorkDateContext();
  ProbeClosingContext(ctx);
  const ReportInput in = ReadClosingReport(ReportKind::TemStandard, {}, ctx);
  EXPECT_EQ(Rows(in, SectionKind::Supplier), "|가나상사|0|0|4900");
  EXPECT_EQ(Rows(in, SectionKind::Credit), "|가나상사|0|0|2000 ; |다라's 유통|0|0|800");
  EXPECT_EQ(Rows(in, SectionKind::Card), "0001|비씨|0|1|7000");
  EXPECT_EQ(Rows(in, SectionKind::Collections), "");

  // Outside the window of the work date: nothing.
  ClosingContext later = MakeClosingContext(2025, 4, 1);
  ProbeClosingContext(later);
  EXPECT_TRUE(ReadClosingReport(ReportKind::TemStandard, {}, later).sections.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingSections_, ::testing::ValuesIn(closingtest::kOffline),
                         closingtest::SetupName);

}  // namespace

namespace {

struct Sink {
  explicit Sink(int failAt = 0) {
    orv::printer_port::SetCaptureSink(
        [this, failAt](orv::printer_port::Kind, const QString &device, const QByteArray &b) {
          if (failAt > 0 && int(jobs.size()) + 1 == failAt)
            throw orv::printer_port::PortError(QStringLiteral("용지 없음: ") + device);
          jobs << b;
        });
  }
  ~Sink() { orv::printer_port::SetCaptureSink({}); }
  QList<QByteArray> jobs;
};

class ClosingReport_ : public ClosingSections_ {
 protected:
  void SetUp() override {
    ClosingSections_::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gsSetPrnPort = "LPT1";
    InitPrnCodes();
    ctx_ = WorkDateContext();
    ProbeClosingContext(ctx_);
  }
  ClosingContext ctx_;
};

TEST_P(ClosingReport_, PrintsOneJobAfterTheLastQuery) {
  Sink sink;
  ClosingFigures f;
  f.txtPctHab = W(14000);
  PrintTerminate(f, ctx_);
  ASSERT_EQ(sink.jobs.size(), 1);
  const QString text = orv::codepage::Decode(sink.jobs[0]);
  EXPECT_TRUE(sink.jobs[0].startsWith(gsPrnWide + orv::codepage::Encode("[영업 마감 내역]") +
                                      gsPrnNormal + gsPrnCrLf));
  for (const char *part : {"[ 매입처 매출현황 ]", "가나상사                          14,000",
                           "[ 카드판매 상세내역 ]", "[ 외매회수내역 ]", "판매합계 :     14,000"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
  EXPECT_TRUE(text.indexOf("[ 카드판매내역 ]") < text.indexOf("[ 카드판매 상세내역 ]"));
  EXPECT_TRUE(sink.jobs[0].contains("\x1bi")) << "fed and cut";

  // A reprint without a saved closing prints nothing and says nothing.
  PrintTemTerminate(f, ctx_);
  EXPECT_EQ(sink.jobs.size(), 1);
}

TEST_P(ClosingReport_, AFailureShowsItsBoxAndSendsNothing) {
  struct Case {
    bool dropTable;
    int failAt;
    const char *says;
  } cases[] = {{false, 1, "용지 없음"}, {true, 0, "오류번호 : "}};
  for (const Case &c : cases) {
    if (c.dropTable) goDbPos.Execute("Drop Table TemDetail");
    orv::settings_store::SaveSetting("TemDate", "20250116");
    orv::settings_store::SaveSetting("TemChtNo", "1");
    Sink sink(c.failAt);
    orv::dialogs::Script script;
    PrintTemTerminateByTender({}, ctx_);
    EXPECT_TRUE(sink.jobs.isEmpty()) << c.says;
    ASSERT_EQ(script.Log().size(), 1) << c.says;
    EXPECT_EQ(script.Log()[0].title, "마감출력");
    EXPECT_TRUE(script.Log()[0].text.contains(QString::fromUtf8(c.says))) << c.says;
  }
}

TEST_P(ClosingReport_, NoMonthTableLeavesTheSectionsOut) {
  Sink sink;
  ClosingContext none = MakeClosingContext(2025, 6, 1);
  ProbeClosingContext(none);
  PrintTerminate({}, none);
  ASSERT_EQ(sink.jobs.size(), 1);
  EXPECT_FALSE(orv::codepage::Decode(sink.jobs[0]).contains("[ "));
}

// The three reports against bytes worked out by hand (tests/fixtures/print/closing_*.md).
QByteArray Golden(const QString &name) {
  QFile f(QStringLiteral(ORVPOS_TEST_FIXTURES "/print/") + name);
  if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "missing fixture " << name.toStdString();
  return f.readAll();
}

TEST_P(ClosingReport_, ThreeReportsMatchTheirHandWorkedBytes) {
  // A department-3 row too, so every section prints.
  Exec("Insert Into ExtCode (EcdKey,EcdIO,EcdNo,EcdName) Values(30,103,1,'행사')");
  Exec("Update GdsCode Set GcdBmn3Key=30 Where GcdKey=1");
  giSetPosNo = 2;
  gcPcdNo = W(15);
  gsPcdName = "김계산";
  namespace ss = orv::settings_store;
  const int coins[] = {1, 2, 3, 0, 7, 4, 12, 0, 5};
  const char *denominations[] = {"100000", "50000", "10000", "5000", "1000", "500", "100", "50", "10"};
  for (int i = 0; i < 9; ++i)
    ss::SaveSetting(QString("giSetCoin") + denominations[i], QString::number(coins[i]));

  ClosingFigures f;
  f.txtInitGum = W(100000);
  f.txtMidGum = W(45000);
  f.msIntDate = "20250115";
  f.msIntTime = "083000";
  f.deposits = {{"20250115", "120500", W(30000)}, {"20250115", "151000", W(15000)}};
  f.txtPctHab = W(31500);
  f.txtDcGum = W(1200);
  f.txtBanSu = 1;
  f.txtBanGum = W(-3000);
  f.txtCmsSu = W(1);
  f.txtCmsGum = W(-1000);
  f.txtPctMoney = W(12500);
  f.txtPclJa = W(1000);
  f.txtPctCard = W(14000);
  f.txtPclGum05 = W(500);
  f.txtPctOiSang = W(6500);
  f.txtOiReturn = W(6000);
  f.txtOiMoney = W(4000);
  f.txtOiCard = W(2000);
  f.txtNowMoney = W(71500);
  f.txtRealMoney = W(70000);
  f.txtRealCard = W(16000);
  f.txtRealSang = W(1000);
  f.txtPclGum06 = W(30);
  f.txtPctGum = W(28637);
  f.txtPctBuga = W(2863);

  // The clock runs on from 18:30:05; a slow machine may print a later second.
  auto printed = [](const QByteArray &job) {
    QByteArray b = job;
    for (char s = '6'; s <= '9'; ++s) b.replace(QByteArray("18:30:0") + s, "18:30:05");
    return b;
  };
  auto same = [](const QByteArray &expected, const QByteArray &actual, const char *what) {
    EXPECT_EQ(orv::codepage::Decode(actual).toStdString(), orv::codepage::Decode(expected).toStdString())
        << what;
    EXPECT_TRUE(actual == expected) << what << ": the bytes differ";
  };
  Sink sink;
  ss::SaveSetting("PosSalePrn9", "1");
  PrintTerminate(f, ctx_);
  ss::SaveSetting("PosSalePrn9", "0");
  PrintTerminateByTender(f, ctx_);
  for (int n : {2, 3, 4, 5, 7}) ss::SaveSetting(QString("PosSalePrn%1").arg(n), "0");
  ss::SaveSetting("TemDate", "20250116");
  ss::SaveSetting("TemChtNo", "1");
  ClosingFigures saved = f;
  saved.txtInitGum = {};
  saved.txtMidGum = W(15000);
  saved.msIntDate.clear();
  saved.msIntTime.clear();
  PrintTemTerminateByTender(saved, ctx_);
  ASSERT_EQ(sink.jobs.size(), 3);
  same(Golden("closing_standard.bin"), printed(sink.jobs[0]), "standard");
  same(Golden("closing_by_tender.bin"), printed(sink.jobs[1]), "by tender");
  same(Golden("closing_tem_by_tender.bin"), printed(sink.jobs[2]), "reprint by tender");
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingReport_, ::testing::ValuesIn(closingtest::kOffline),
                         closingtest::SetupName);

}  // namespace
