#include "closing/closing_layout.h"

#include "core/byte_text.h"
#include "core/money_ops.h"
#include "core/text_format.h"

namespace orv::closing {

using namespace orv::money;

namespace {

const QString kEq(42, '=');
const QString kDash(42, '-');

QString L(int n, const QString &x) { return LeftH(x + QString(n, ' '), n); }
QString F0(orv::Currency v) { return FmtAmt(v, 0); }
QString F1(orv::Currency v) { return FmtAmt(v, 1); }

class Out {
 public:
  void Line(const QString &t) { lines_.push_back({false, t}); }
  void Wide(const QString &t) { lines_.push_back({true, t}); }
  std::vector<ReportLine> Take() { return std::move(lines_); }

 private:
  std::vector<ReportLine> lines_;
};

bool IsTem(ReportKind k) { return k == ReportKind::TemStandard || k == ReportKind::TemByTender; }
bool ByTender(ReportKind k) { return k == ReportKind::ByTender || k == ReportKind::TemByTender; }

QString DateLine(const QString &workDate, const QString &now) {
  return "날    짜 : " + FormatAt(workDate, "@@@@.@@.@@") + "  시    간 : " + now;
}

QString Heading(SectionKind kind, ReportKind report) {
  switch (kind) {
    case SectionKind::Supplier:
      return report == ReportKind::ByTender ? "[ 매입처 매출현황 ] " : "[ 매입처 매출현황 ]";
    case SectionKind::Bmn1: return "[ 부문1 매출현황 ]";
    case SectionKind::Bmn2: return "[ 부문2 매출현황 ]";
    case SectionKind::Bmn3: return "[ 부문3 매출현황 ]";
    case SectionKind::Returns: return "[ 반품상품 내역 ]";
    case SectionKind::Card: return "[ 카드판매내역 ]";
    case SectionKind::CardDetail: return "[ 카드판매 상세내역 ]";
    case SectionKind::Credit: return "[ 외상매출내역 ]";
    case SectionKind::Collections: return "[ 외매회수내역 ]";
    case SectionKind::Coupon:
      return report == ReportKind::Standard ? "[ 쿠폰판매 내역 ] " : "[ 쿠폰판매 내역 ]";
  }
  return {};
}

void Section(Out &o, const ReportSection &s, const ReportInput &in) {
  if (s.rows.empty()) return;
  o.Line(Heading(s.kind, in.kind));
  const bool card = s.kind == SectionKind::Card || s.kind == SectionKind::CardDetail;
  const QString bc = BcCardCode(in.van);
  orv::Currency allSu, allAmt, bcSu, bcAmt, otherSu, otherAmt;
  for (const SectionRow &r : s.rows) {
    switch (s.kind) {
      case SectionKind::Returns:
      case SectionKind::Coupon:
        o.Line(L(20, r.name) + RNum(6, r.su.ToPlainText()) + RNum(14, F0(r.amount)));
        break;
      case SectionKind::Card:
      case SectionKind::CardDetail:
        o.Line(L(16, r.name) + RNum(10, F0(r.count) + "건") + RNum(14, F0(r.amount)));
        allSu += r.count;
        allAmt += r.amount;
        if (r.code == bc) {
          bcSu += r.count;
          bcAmt += r.amount;
        } else {
          otherSu += r.count;
          otherAmt += r.amount;
        }
        break;
      default:
        o.Line(L(26, r.name) + RNum(14, F0(r.amount)));
    }
  }
  if (card) {
    o.Line(kDash);
    o.Line("총누계: " + RNum(10, F0(allSu) + "건") + RNum(16, F0(allAmt)));
    o.Line("비씨계: " + RNum(10, F0(bcSu) + "건") + RNum(16, F0(bcAmt)));
    o.Line("국민외: " + RNum(10, F0(otherSu) + "건") + RNum(16, F0(otherAmt)));
  }
  o.Line(kDash);
}

void Totals(Out &o, const ReportInput &in) {
  const ClosingFigures &f = in.figures;
  auto R10 = [](orv::Currency v) { return RNum(10, F0(v)); };
  auto R12 = [](orv::Currency v) { return RNum(12, F0(v)); };
  const QString pad(11, ' ');
  const bool tender = ByTender(in.kind);
  o.Wide((tender ? "총 매 출 : " : "판매합계 : ") + R10(f.txtPctHab));
  o.Wide("할인합계 : " + R10(f.txtDcGum));
  o.Line("(반품 ~) : " + RNum(5, QString::number(f.txtBanSu)) + R12(f.txtBanGum));
  o.Line("(쿠폰 ~) : " + RNum(5, f.txtCmsSu.ToPlainText()) + R12(f.txtCmsGum));
  o.Line(kDash);
  if (tender) {
    o.Wide("현금매출 : " + R10(f.txtPctMoney));
    o.Wide("신용매출 : " + R10(f.txtPctCard));
    o.Wide("사내매출 : " + R10(f.txtPctCSobi));
    o.Wide("외상매출 : " + R10(f.txtPctOiSang));
    o.Wide("외매회수 : " + R10(f.txtOiReturn));
    o.Line(kDash);
  }
  o.Line("(현금 +) : " + R12(f.txtPctMoney));
  o.Line(pad + "> 자사 - : " + R12(f.txtPclJa));
  o.Line(pad + "> 타사 - : " + R12(f.txtPclTa));
  if (!tender) {
    o.Line("(신용 -) : " + R12(f.txtPctCard));
    o.Line("(사내 -) : " + R12(f.txtPctCSobi));
    o.Line("(점수 -) : " + R12(f.txtPclGum05));
    o.Line("(외상 -) : " + R12(f.txtPctOiSang));
  }
  o.Line("(외회 ?) : " + R12(f.txtOiReturn));
  o.Line(pad + "> 현금 + : " + R12(f.txtOiMoney));
  o.Line(pad + "> 카드 - : " + R12(f.txtOiCard));
  o.Line(kDash);
  if (tender) {
    const orv::Currency till = f.txtPctMoney + f.txtPctCard + f.txtPctOiSang + f.txtPctCSobi +
                               f.txtOiReturn + f.txtInitGum;
    const orv::Currency deposit = f.txtPctMoney + f.txtOiMoney + f.txtInitGum;
    o.Wide("총시제액 : " + RNum(10, F1(till)));
    o.Wide("현금입금 : " + RNum(10, F1(deposit)));
    if (in.kind == ReportKind::TemByTender) {
      o.Wide("카드입금 : " + R10(f.txtRealCard));
      o.Wide("상품입금 : " + R10(f.txtRealSang));
      o.Line(kEq);
      return;
    }
    o.Line(kDash);
  }
  o.Wide("현재잔액 : " + R10(f.txtNowMoney));
  o.Wide("실 현 금 : " + R10(f.txtRealMoney));
  o.Wide("카 드 계 : " + R10(f.txtRealCard));
  o.Wide("상 품 계 : " + R10(f.txtRealSang));
  o.Wide((in.kind == ReportKind::TemStandard ? "점 수 계 : " : "점 수 계-: ") + R10(f.txtPclGum05));
  o.Wide("잔돈적립 : " + R10(f.txtPclGum06));
  o.Line(kEq);
}

void CoinTable(Out &o, const ReportInput &in) {
  static const char *const kLabels[kCoinKinds] = {"100,000원 ", " 50,000원 ", " 10,000원 ",
                                                  "  5,000원 ", "  1,000원 ", "    500원 ",
                                                  "    100원 ", "     50원 ", "     10원 "};
  const CoinTotals t = CountCoins(in.coinCounts);
  o.Line(kEq);
  o.Line("권     종        수  량         합    계 ");
  o.Line(kEq);
  for (int i = 0; i < kCoinKinds; ++i) {
    o.Line(QString::fromUtf8(kLabels[i]) + RNum(13, F1(in.coinCounts[i])) +
           RNum(19, F1(t.amounts[i])));
    o.Line(kDash);
  }
  o.Wide("소  계:" + RNum(14, F1(t.total)));
  o.Line(kDash);
  o.Line("1만원권이상            " + RNum(19, F1(t.total1)));
  o.Line(kDash);
  o.Line("5천원권이하            " + RNum(19, F1(t.total2)));
  o.Line(kDash);
  o.Line({});
  o.Line({});
  o.Wide("익일시제:");
  o.Line(kDash);
  for (int i = 0; i < 6; ++i) o.Line({});
  o.Line(DateLine(in.workDate, in.nowTime));
}

}  // namespace

QString RNum(int n, const QString &x) {
  if (x.size() <= n) return (QString(n, ' ') + x).right(n);
  QString bare = x;
  bare.remove(',');
  if (bare.size() <= n) return (QString(n, ' ') + bare).right(n);
  return bare;
}

QString BcCardCode(int van) {
  switch (van) {
    case 1: return "0026";
    case 5: return "0400";
    case 4:
    case 7:
    case 9:
    case 10: return "0001";
    default: return "0100";
  }
}

std::vector<ReportLine> LayoutClosingReport(const ReportInput &in) {
  Out o;
  const ClosingFigures &f = in.figures;
  switch (in.kind) {
    case ReportKind::Standard: o.Wide("[영업 마감 내역]"); break;
    case ReportKind::ByTender: o.Wide("[영업 마감 내역]#"); break;
    case ReportKind::TemStandard: o.Wide("[영업마감-재발행]"); break;
    case ReportKind::TemByTender: o.Wide("[영업마감-재발행]#"); break;
  }
  const QString cashier =
      RightH(QString(15, ' ') + in.pcdNo.ToPlainText() + "( " + in.pcdName + " )", 15);
  o.Line("계산대번호:" + RNum(3, QString::number(in.posNo)) + "  판매사원 : " + cashier);
  o.Line(kEq);
  if (!f.msIntDate.isEmpty()) {
    o.Line("날    짜 : " + FormatAt(("00000000" + f.msIntDate).right(8), "@@@@.@@.@@") +
           " 시    간 : " + FormatAt(("000000" + f.msIntTime).right(6), "@@:@@:@@"));
  } else {
    o.Line(DateLine(in.workDate, in.nowTime));
  }
  o.Line("기초잔액 : " + RNum(12, F0(f.txtInitGum)));
  o.Line("중간출금 : " + RNum(12, F0(f.txtMidGum)));
  if (!IsTem(in.kind)) {
    bool ruled = false;
    for (size_t i = 0; i < f.deposits.size(); ++i) {
      const MidDeposit &d = f.deposits[i];
      if (d.mcMidGum.IsZero()) continue;  // its number still counts
      if (!ruled) o.Line(kDash);
      ruled = true;
      o.Line("출금" + ("00" + QString::number(i + 1)).right(2) + " - " +
             FormatAt(d.msMidDate, "@@@@-@@-@@") + " " + FormatAt(d.msMidTime, "@@:@@:@@") +
             "  " + RNum(12, F0(d.mcMidGum)));
    }
  }
  o.Line(kEq);
  for (const ReportSection &s : in.sections) Section(o, s, in);
  Totals(o, in);
  o.Line("공 급 가 : " + RNum(10, F0(f.txtPctGum)));
  o.Line("세    액 : " + RNum(10, F0(f.txtPctBuga)));
  o.Line("면    세 : " + RNum(10, F0(f.txtPctNtx)));
  o.Line(kDash);
  o.Line(DateLine(in.workDate, in.nowTime));
  if (in.coinTable) CoinTable(o, in);
  return o.Take();
}

}  // namespace orv::closing
