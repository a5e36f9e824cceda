#include <gtest/gtest.h>

#include "closing/closing_layout.h"

using namespace orv::closing;
using orv::Currency;

namespace {

Currency W(int64_t v) { return *Currency::FromWhole(v); }

ReportInput Base(ReportKind kind) {
  ReportInput in;
  in.kind = kind;
  in.posNo = 3;
  in.pcdNo = W(15);
  in.pcdName = "김철수";
  in.workDate = "20250115";
  in.nowTime = "18:30:05";
  in.van = 4;
  return in;
}

QStringList Texts(const std::vector<ReportLine> &lines) {
  QStringList out;
  for (const ReportLine &l : lines) out << (l.wide ? "W:" + l.text : l.text);
  return out;
}

// The lines between the first one equal to from (excluded) and the next equal to to.
QStringList Between(const QStringList &all, const QString &from, const QString &to) {
  const qsizetype a = all.indexOf(from);
  const qsizetype b = all.indexOf(to, a + 1);
  return a < 0 || b < 0 ? QStringList{} : all.mid(a + 1, b - a - 1);
}

const QString kEq(42, '=');
const QString kDash(42, '-');

TEST(ClosingLayout, NumbersNeverLoseDigits) {
  struct Case {
    int n;
    const char *in, *out;
  } cases[] = {{10, "1,234", "     1,234"},
               {10, "100,000,000", " 100000000"},  // too wide: without separators
               {6, "-2", "    -2"},
               {6, "-1234.5", "-1234.5"},  // still too wide: whole
               {10, "12건", "       12건"},
               {10, "12,345,678건", " 12345678건"},
               {12, "", "            "}};
  for (const Case &c : cases)
    EXPECT_EQ(RNum(c.n, QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(ClosingLayout, HeadWithdrawalRowsAndTheirRule) {
  ReportInput in = Base(ReportKind::Standard);
  in.figures.txtInitGum = W(100000);
  in.figures.txtMidGum = W(35000);
  in.figures.msIntDate = "20250115";
  in.figures.msIntTime = "90000";
  in.figures.deposits = {{"20250115", "101500", W(0)}, {"20250115", "120000", W(30000)},
                         {"20250115", "130000", W(5000)}};
  const QStringList t = Texts(LayoutClosingReport(in));
  EXPECT_EQ(t[0], "W:[영업 마감 내역]");
  EXPECT_EQ(t[1], "계산대번호:  3  판매사원 :    15( 김철수 )");
  EXPECT_EQ(t[3], "날    짜 : 2025.01.15 시    간 : 09:00:00");
  EXPECT_EQ(t[4], "기초잔액 :      100,000");
  EXPECT_EQ(t[5], "중간출금 :       35,000");
  // A first deposit of 0 prints no row but keeps its number; the rule still comes first.
  EXPECT_EQ(t[6], kDash);
  EXPECT_EQ(t[7], "출금02 - 2025-01-15 12:00:00        30,000");
  EXPECT_EQ(t[8], "출금03 - 2025-01-15 13:00:00         5,000");
  EXPECT_EQ(t[9], kEq);

  in.figures.deposits.assign(100, {"20250115", "120000", W(1)});
  const QStringList many = Texts(LayoutClosingReport(in));
  EXPECT_TRUE(many.contains("출금00 - 2025-01-15 12:00:00             1")) << "the 100th";

  in.kind = ReportKind::TemStandard;
  const QStringList tem = Texts(LayoutClosingReport(in));
  EXPECT_EQ(tem[0], "W:[영업마감-재발행]");
  EXPECT_EQ(tem[6], kEq) << "a reprint has no withdrawal rows";

  in.figures.msIntDate.clear();
  EXPECT_EQ(Texts(LayoutClosingReport(in))[3], "날    짜 : 2025.01.15  시    간 : 18:30:05");
}

TEST(ClosingLayout, CardSectionTotalsSplitTheBcCode) {
  ReportInput in = Base(ReportKind::Standard);
  in.van = 5;
  in.sections = {{SectionKind::Card,
                  {{"0400", "비씨카드", {}, W(30000), W(12)}, {"1300", "삼성카드", {}, W(5000), W(1)},
                   {"0000", "", {}, W(2000), W(1)}}},
                 {SectionKind::Credit, {}}};
  const QStringList rows = Between(Texts(LayoutClosingReport(in)), "[ 카드판매내역 ]", kEq);
  ASSERT_GE(rows.size(), 8);
  EXPECT_EQ(rows[0], "비씨카드               12건        30,000");
  EXPECT_EQ(rows[2], "        1건         2,000") << "an unnamed code starts with its count";
  EXPECT_EQ(rows[3], kDash);
  EXPECT_EQ(rows[4], "총누계:        14건          37,000");
  EXPECT_EQ(rows[5], "비씨계:        12건          30,000");
  EXPECT_EQ(rows[6], "국민외:         2건           7,000");
  EXPECT_EQ(rows[7], kDash);
}

TEST(ClosingLayout, TheFourKindsDiffer) {
  struct Case {
    ReportKind kind;
    const char *title, *supplier, *coupon, *points;
    bool tender;
  } cases[] = {
      {ReportKind::Standard, "[영업 마감 내역]", "[ 매입처 매출현황 ]", "[ 쿠폰판매 내역 ] ",
       "W:점 수 계-:          0", false},
      {ReportKind::ByTender, "[영업 마감 내역]#", "[ 매입처 매출현황 ] ", "[ 쿠폰판매 내역 ]",
       "W:점 수 계-:          0", true},
      {ReportKind::TemStandard, "[영업마감-재발행]", "[ 매입처 매출현황 ]", "[ 쿠폰판매 내역 ]",
       "W:점 수 계 :          0", false},
      {ReportKind::TemByTender, "[영업마감-재발행]#", "[ 매입처 매출현황 ]", "[ 쿠폰판매 내역 ]",
       "", true},
  };
  for (const Case &c : cases) {
    ReportInput in = Base(c.kind);
    in.sections = {{SectionKind::Supplier, {{"", "", {}, W(5), {}}}},
                   {SectionKind::Coupon, {{"", "쿠폰", W(-1), W(-500), {}}}}};
    const QStringList t = Texts(LayoutClosingReport(in));
    const QString what = QString::fromUtf8(c.title);
    EXPECT_EQ(t[0], "W:" + what);
    EXPECT_TRUE(t.contains(QString::fromUtf8(c.supplier))) << what.toStdString();
    EXPECT_TRUE(t.contains(QString::fromUtf8(c.coupon))) << what.toStdString();
    EXPECT_TRUE(t.contains("쿠폰                    -1          -500")) << what.toStdString();
    EXPECT_TRUE(t.contains(QString(13, ' ') + "5")) << "an empty name drops its field";
    if (*c.points) {
      EXPECT_TRUE(t.contains(QString::fromUtf8(c.points))) << what.toStdString();
    }
    EXPECT_EQ(t.contains("(신용 -) :            0"), !c.tender) << what.toStdString();
    EXPECT_EQ(t.contains("W:현금매출 :          0"), c.tender) << what.toStdString();
    // Zero sums print blank in the computed lines.
    EXPECT_EQ(t.contains("W:총시제액 :           "), c.tender) << what.toStdString();
    EXPECT_EQ(t.contains("W:현재잔액 :          0"), c.kind != ReportKind::TemByTender);
    if (c.kind == ReportKind::TemByTender) {
      const qsizetype at = t.indexOf("W:현금입금 :           ");
      ASSERT_GT(at, 0);
      EXPECT_EQ(t[at + 1], "W:카드입금 :          0");
      EXPECT_EQ(t[at + 2], "W:상품입금 :          0");
      EXPECT_EQ(t[at + 3], kEq);
    }
  }
}

TEST(ClosingLayout, TenderSumsAndTheDrawerTable) {
  ReportInput in = Base(ReportKind::ByTender);
  ClosingFigures &f = in.figures;
  f.txtPctMoney = W(1234500);
  f.txtPctCard = W(100000);
  f.txtPctOiSang = W(-15000);
  f.txtInitGum = W(100000);
  f.txtOiMoney = W(500);
  f.txtOiReturn = W(1000);
  f.txtPctHab = W(1000000000);
  in.coinTable = true;
  in.coinCounts[1] = W(3);
  const QStringList t = Texts(LayoutClosingReport(in));
  EXPECT_TRUE(t.contains("W:총시제액 :  1,420,500"));
  EXPECT_TRUE(t.contains("W:현금입금 :  1,335,000"));
  EXPECT_TRUE(t.contains("W:총 매 출 : 1000000000")) << "no digit of a large sum is lost";
  EXPECT_TRUE(t.contains(" 50,000원 " + QString(12, ' ') + "3" + QString(12, ' ') + "150,000"));
  EXPECT_TRUE(t.contains("100,000원 " + QString(32, ' '))) << "a count of 0 prints blank";
  EXPECT_TRUE(t.contains("W:소  계:       150,000"));
  EXPECT_EQ(t.back(), "날    짜 : 2025.01.15  시    간 : 18:30:05");
  EXPECT_EQ(t.count("날    짜 : 2025.01.15  시    간 : 18:30:05"), 3);  // head, tax, table
}

}  // namespace
