#include "print/receipt_layout.h"

#include <cfenv>
#include <cmath>

#include "core/byte_text.h"
#include "core/money_ops.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "print/basPrinter.h"
#include "print/receipt_text.h"

namespace orv::print {
namespace {

const QString kWideOn = QStringLiteral("****1B****21****20||||");
const QString kWideOff = QStringLiteral("****1B****21****0||||");

// A sum out of range is an error, never a 0 printed as if it were the amount.
Currency sub(Currency a, Currency b) { return money::Checked(Currency::Sub(a, b)); }
Currency add(Currency a, Currency b) { return money::Checked(Currency::Add(a, b)); }
Currency abs(Currency a) { return a.raw() < 0 ? Currency::FromRaw(-a.raw()) : a; }

QString last(int n, const QString &zeros, const QString &text) { return (zeros + text).right(n); }


class Layout {
 public:
  Layout(ReceiptData &d, const RcptOptions &o, const RcptSettings &s, ReceiptOut &out)
      : d_(d), o_(o), s_(s), out_(out), file_(out.IsFile()) {}

  QString Run();

 private:
  void shopLines();
  QString cashierLine() const;
  void pointLines(bool statement);
  void statement();
  void copy(int style);
  void goodsLines(Currency &qty);
  void totalLine(Currency qty);
  QString taxLine() const;
  void customerBlock();
  void loyaltyBlock();
  void receivablesBlock();
  void cardBlock(int style);
  const RcptGoods &goods(Currency key);
  bool approvedCard() const {
    return !d_.chit.cardNo.trimmed().isEmpty() && !d_.chit.cmitNo.trimmed().isEmpty();
  }
  bool partnerCounts() const {
    return !d_.chit.trsKey.IsZero() && !d_.partnerNo.IsZero() && d_.partnerNo != Currency::Won(88000);
  }

  ReceiptData &d_;
  const RcptOptions &o_;
  const RcptSettings &s_;
  ReceiptOut &out_;
  const bool file_;
  QString id_;
  Currency pointsUsed_, amountUsed_, pointsBonus_, amountBonus_;
  QHash<qint64, RcptGoods> goods_;
  std::optional<RcptReceivables> recv_;
};

const RcptGoods &Layout::goods(Currency key) {
  auto it = goods_.find(key.raw());
  if (it == goods_.end()) it = goods_.insert(key.raw(), d_.goods ? d_.goods(key) : RcptGoods{});
  return *it;
}

void Layout::shopLines() {
  const RcptShop &shop = *d_.shop;
  const RcptChit &c = d_.chit;
  out_.Line(L(20, "Date: " + FormatAt(c.wrtDate, "@@@@.@@.@@")) + R(20, "Tel: " + shop.tel));
  out_.Line("Time: " + FormatAt(c.wrtTime, "@@:@@:@@"));
  out_.Line(LB(40, shop.addr));
  out_.Line(L(20, SaupNoText(shop.saupNo)) + LB(20, shop.psn));
  out_.Line(LB(20, shop.uptae) + LB(14, shop.jongmok) +
            (s_.junPrnNone == 0 ? last(6, "000000", QString::number(c.chtNo)) : QString()));
}

QString Layout::cashierLine() const {
  return QStringLiteral("계 산 원:") + last(5, "00000", QString::number(s_.posNo)) + "-" +
         last(5, "00000", N(d_.staffNo)) + "(" + LB(18, d_.staffName) + ")";
}

void Layout::pointLines(bool statement) {
  const auto &g = d_.list.gum;
  auto line = [&](const QString &label, const QString &value) { out_.Line(label + R(25, value)); };
  const bool before = statement || d_.kind != 6;
  if (o_.cstPanPrt != 0) {
    if (before) line(QStringLiteral("이 전  점 수 : "), F(sub(g[4], g[2])));
    if (!g[2].IsZero()) line(QStringLiteral("추 가  점 수 : "), F(g[2]));
    if (!pointsUsed_.IsZero())
      line(QStringLiteral("사용 점수(-) : "), "\\" + F(g[5]) + " (" + F(pointsUsed_) + ")");
    const Currency sale = add(sub(sub(sub(sub(g[2], g[7]), g[9]), g[8]), g[10]), pointsUsed_);
    if (!sale.IsZero()) line(QStringLiteral("판매 점수(+) : "), "(" + F(sale) + ")");
    if (!g[9].IsZero()) line(QStringLiteral("상품 점수(+) : "), "(" + F(g[9]) + ")");
    if (!g[7].IsZero()) line(QStringLiteral("잔돈 점수(+) : "), "\\" + F(g[6]) + " (" + F(g[7]) + ")");
    if (!g[8].IsZero()) line(QStringLiteral("판매 할증(+) : "), "(" + F(g[8]) + ")");
    if (!g[10].IsZero()) line(QStringLiteral("추가 점수(+) : "), "(" + F(g[10]) + ")");
    line(QStringLiteral("현 재  점 수 : "), F(statement ? d_.cst.jumsu : g[4]));
  } else {
    if (before) line(QStringLiteral("이 전  금 액 : "), F(sub(g[3], g[1])));
    if (!g[1].IsZero()) line(QStringLiteral("추 가  금 액 : "), F(g[1]));
    if (!amountUsed_.IsZero()) line(QStringLiteral("사용 금액(-) : "), "(" + F(amountUsed_) + ")");
    const Currency sale = add(sub(g[1], g[6]), amountUsed_);
    if (!sale.IsZero()) line(QStringLiteral("판매 금액(+) : "), "(" + F(sale) + ")");
    if (!g[6].IsZero()) line(QStringLiteral("잔돈 금액(+) : "), "(" + F(g[6]) + ")");
    line(QStringLiteral("현 재  금 액 : "), F(statement ? d_.cst.zerdo : g[3]));
  }
}

void Layout::statement() {
  out_.Begin();
  if (d_.shop) {
    out_.Wide({QStringLiteral("[고객점수 사용내역]"), LeftH(d_.shop->prtName, 20)});
    shopLines();
  }
  out_.Line(QStringLiteral("고 객 바코드 : ") + "[" + RB(6, N(d_.cst.no)) + "]" + RB(17, d_.cst.barcode));
  out_.Line(QStringLiteral("고 객  성 명 : ") + RB(25, d_.cst.name));
  pointLines(true);
  const Currency bonus = o_.cstPanPrt != 0 ? pointsBonus_ : amountBonus_;
  if (!bonus.IsZero()) out_.Line(QStringLiteral("사용가능금액 : ") + R(25, F(bonus)));
  out_.Line(QStringLiteral("서        명 : "));
  out_.Line(QString());
  out_.Line(QString());
  out_.Line(cashierLine());
  out_.Line(Dash());
  out_.End();
}

QString Layout::taxLine() const {
  return QStringLiteral("[공급가") + R(8, N(d_.chit.gum)) + QStringLiteral("세액") + R(8, N(d_.chit.buga)) +
         QStringLiteral("면세") + R(8, N(d_.chit.ntx)) + "]";
}

void Layout::totalLine(Currency qty) {
  const QString word = QStringLiteral("총액:");
  if (file_) {
    out_.Line(kWideOn);
    out_.Line(word + "||||");
    out_.Line(kWideOff);
    out_.Line(R(8, F(qty)) + "||||");
    out_.Line(kWideOn);
    out_.Line(R(11, F(d_.chit.hab)));
    out_.Line(kWideOff);
    return;
  }
  out_.Bytes(gsPrnWide + codepage::Encode(word) + gsPrnNormal + codepage::Encode(R(8, F(qty))) + gsPrnWide +
             codepage::Encode(R(11, F(d_.chit.hab))) + gsPrnNormal);
}

void Layout::goodsLines(Currency &qty) {
  int n = 0;
  for (const RcptLine &ln : d_.lines) {
    if (ln.gdsKey.IsZero()) continue;
    const RcptGoods &g = goods(ln.gdsKey);
    QString name = g.name;
    if (!g.kyg.isEmpty()) name += "[" + g.kyg + "]";
    if (o_.prnFreeze != 0) {
      out_.Line(LB(20, name) + R(4, F(ln.su)) + R(8, F(ln.danga)) + R(8, F(ln.gum)));
    } else {
      ++n;
      const QString prefix =
          R(4, QString::number(n) + (ln.tax == 1 ? "*" : ":")) + (g.pSel3 == 1 ? "@" : " ");
      if (g.mech.raw() > 0 && o_.mechDisp != 1 && ln.danga != g.mech)
        out_.Line(prefix + LB(18, name) + QStringLiteral("[정상단가]") + R(7, F(g.mech)));
      else
        out_.Line(prefix + LB(35, name));
      const int dc = DiscountPercent(ln, g, o_.dcPrint);
      const QString code = L(13, g.barcode.isEmpty() ? N(g.no) : g.barcode) + R(5, F(ln.su));
      if (dc != 0)
        out_.Line(code + R(8, F(ln.danga)) + "Dc" + R(2, QString::number(dc)) + "%" + R(9, F(ln.gum)));
      else
        out_.Line(code + R(10, F(ln.danga)) + R(12, F(ln.gum)));
    }
    qty = add(qty, ln.su);
  }
}

void Layout::customerBlock() {
  const RcptCustomer &c = d_.cst;
  if (file_) {
    out_.Line(QStringLiteral("고 객 바코드 : ") + "[" + RB(6, N(c.no)) + "]" + RB(17, c.barcode));
    out_.Line(QStringLiteral("고 객  성 명 : ") + RB(25, c.name));
  } else {
    out_.Line(QStringLiteral("고객 바코드 : ") + "[" + RB(6, N(c.no)) + "]" + RB(18, c.barcode));
    out_.Line(QStringLiteral("고 객 성 명 : ") + RB(26, c.name));
  }
  if (o_.gdsBnsPoint != 1) d_.list.gum[9] = Currency();
  pointLines(false);
  if (o_.prtTjumsu == 1 && !c.tjumsu.IsZero()) out_.Line(QStringLiteral("총 판  점 수 : ") + R(25, F(c.tjumsu)));
  out_.Line(QStringLiteral("*.누적금액,누적점수는 발행일시 기준임"));
  out_.Line(Dash());
}

void Layout::loyaltyBlock() {
  const RcptFileExtras &x = d_.extras;
  if (x.oneMoaName.isEmpty()) return;
  out_.Line(QStringLiteral("원모아고객명 : ") + RB(25, x.oneMoaName));
  if (d_.list.sss1 != 0) out_.Line(QStringLiteral("사용한포인트 : ") + R(25, F(Currency::Won(d_.list.sss1))));
  out_.Line(QStringLiteral("포인트=잔액= : ") + R(25, F(x.oneMoaPoint)));
  out_.Line(Dash());
}

void Layout::receivablesBlock() {
  if (!recv_) recv_ = d_.receivables ? d_.receivables() : RcptReceivables{};
  const RcptReceivables &r = *recv_;
  const RcptChit &c = d_.chit;
  out_.Line(QStringLiteral("거 래 처  No : ") + RB(25, N(r.tcdNo)));
  out_.Line(QStringLiteral("거 래 처  명 : ") + RB(25, r.tcdName));
  if (s_.misuNotPrn == 1) return;
  auto line = [&](const QString &label, Currency v) {
    if (!v.IsZero()) out_.Line(label + R(25, F(v)));
  };
  line(QStringLiteral("이 전  미 수 : "), sub(sub(r.balance, r.dayCredit), c.oisang));
  line(QStringLiteral("금 일  미 수 : "), r.dayCredit);
  line(QStringLiteral("판 매  금 액 : "), c.hab);
  line(QStringLiteral("입 금  금 액 : "), sub(add(c.money, c.card), c.cgum));
  line(QStringLiteral("사 용  금 액 : "), d_.list.gum[5]);
  line(QStringLiteral("외 상  금 액 : "), c.oisang);
  line(QStringLiteral("외 매  회 수 : "), c.hab.IsZero() ? c.rgum : Currency());
  line(QStringLiteral("입 금  누 계 : "), r.collected);
  line(QStringLiteral("현 재  미 수 : "), sub(r.balance, r.collected));
  out_.Line(Dash());
}

void Layout::cardBlock(int style) {
  const RcptChit &c = d_.chit;
  out_.Line(QStringLiteral("밴 사  제 출 : ") + RB(25, VanName(s_.van)));
  out_.Line(QStringLiteral("승 인  카 드 : ") + RB(25, c.cdComName));
  out_.Line(QStringLiteral("카 드  번 호 : ") + R(25, style == 2 ? c.cardNo.left(12) + "****" : c.cardNo));
  out_.Line(QStringLiteral("일 부  입 금 : ") + R(25, F(c.money)));
  out_.Line(QStringLiteral("카 드  매 출 : ") + R(25, F(c.card)));
  out_.Line(QStringLiteral("거 래  구 분 : ") +
            RB(25, c.cdGubun == QLatin1String("00") ? QStringLiteral("일시불") : c.cdGubun + QStringLiteral("개월")));
  out_.Line(QStringLiteral("승 인  번 호 : ") + R(25, c.cmitNo));
  out_.Line(QStringLiteral("승 인  일 자 : ") + R(25, c.cmitDate));
  out_.Line(QStringLiteral("가맹점 번 호 : ") + R(25, c.gamyNo));
  out_.Line(Dash());
  if (file_) {
    const QString m1 = d_.extras.cardMsg1.trimmed(), m2 = d_.extras.cardMsg2.trimmed();
    if (!m1.isEmpty() || !m2.isEmpty()) {
      if (!m1.isEmpty()) out_.Line(m1);
      if (!m2.isEmpty()) out_.Line(m2);
      out_.Line(Dash());
    }
  }
  if (style == 1) {
    out_.Line(QStringLiteral("서        명 : "));
    if (d_.list.sss2 == 1) out_.Wide({RB(16, QStringLiteral("서명완료"))});
    out_.Line(QString());
    out_.Line(QString());
  }
}

void Layout::copy(int style) {
  const RcptChit &c = d_.chit;
  const bool full = !(approvedCard() && o_.cardFreeze == 1 && style == 1);
  out_.Begin();
  if (s_.onLine != 1) out_.Wide({QStringLiteral("[오 프 라 인 모 드]")});
  if (d_.shop) {
    QStringList wide;
    if (c.cashRcpt == 1) wide << QStringLiteral("[현금영수증발행분]");
    wide << LeftH(d_.shop->prtName, 20);
    out_.Wide(wide);
    if (d_.kind == 1) out_.Line(QStringLiteral("[외상입금 영 수 증]"));
    if (d_.kind == 6) out_.Line(QStringLiteral("[재 발 행 영 수 증]"));
    if (d_.kind == 8) out_.Line(QStringLiteral("[외매회수 영 수 증]"));
    QStringList marks;
    if (!c.oisang.IsZero()) marks << QStringLiteral("[외상판매]");
    if (!c.csobi.IsZero()) marks << QStringLiteral("[사내소비]");
    if (!c.card.IsZero()) marks << QStringLiteral("[카드판매]");
    if (file_) {
      for (const QString &m : marks) out_.Line(m);
    } else if (!marks.isEmpty()) {
      out_.Line(marks.join(QString()));
    }
    shopLines();
  }
  QStringList heads;
  for (const QString &h : o_.heads)
    if (!h.isEmpty()) heads << h;
  if (!heads.isEmpty()) out_.Wide(heads);
  out_.Line(Dash());

  if (full && d_.kind == 8) {
    if (file_) {
      out_.Line(kWideOn);
      out_.Line(QStringLiteral("외매회수:||||"));
      out_.Line(R(11, F(c.rgum)));
      out_.Line(kWideOff);
    } else {
      out_.Wide({QStringLiteral("외매회수:") + R(11, F(c.rgum))});
    }
  }
  if (full && d_.kind != 8) {
    Currency qty;
    goodsLines(qty);
    out_.Line(Dash());
    out_.Line(taxLine());
    totalLine(qty);
    out_.Line(QStringLiteral("받은금액:") + R(31, F(sub(c.rgum, c.oisang))));
    if (!c.dcAmt.IsZero()) out_.Line(QStringLiteral("할인금액:") + R(31, F(c.dcAmt)));
    if (!c.oisang.IsZero()) out_.Line(QStringLiteral("외상금액:") + R(31, F(c.oisang)));
    out_.Line(QStringLiteral("거 스 름:") + R(31, F(sub(c.cgum, d_.list.gum[6]))));
  }
  if (!full) out_.Line(taxLine());
  out_.Line(Dash());

  const RcptList &l = d_.list;
  if (!l.jaSangPum.IsZero() || !l.taSangPum.IsZero()) {
    out_.Line(QStringLiteral("[ 상품권 판매내역 ]"));
    if (file_) {
      if (!l.jaSangPum.IsZero()) out_.Line(QStringLiteral("자 사 상품권 : ") + R(25, F(l.jaSangPum)));
      if (!l.taSangPum.IsZero()) out_.Line(QStringLiteral("타 사 상품권 : ") + R(25, F(l.taSangPum)));
    } else {
      if (!l.jaSangPum.IsZero()) out_.Line(QStringLiteral("자사상품권: ") + R(28, F(l.jaSangPum)));
      if (!l.taSangPum.IsZero()) out_.Line(QStringLiteral("타사상품권: ") + R(28, F(l.taSangPum)));
    }
    out_.Line(Dash());
  }

  // The file keeps the customer on every copy but a signed card sale's first one.
  const bool withCustomer = file_ ? !(style == 1 && !c.cardNo.trimmed().isEmpty() && !c.card.IsZero())
                                  : (c.card.IsZero() || style == 2);
  if (!c.cstKey.IsZero() && withCustomer) customerBlock();
  if (file_ && withCustomer) loyaltyBlock();
  if (partnerCounts()) receivablesBlock();
  if (s_.van == 3) out_.Line(QStringLiteral("카 드  매 출 : ") + R(25, F(c.card)));
  if (approvedCard()) cardBlock(style);
  if (o_.prnFreeze == 0) {
    out_.Line(QStringLiteral("상품명 앞 *표시는 면세제품임."));
    out_.Line(QStringLiteral("상품명 앞 @표시는 고객점수제외 제품임."));
  }
  out_.Line(cashierLine());
  if (d_.kind == 6)
    out_.Line(QStringLiteral("발행일시 : ") + d_.now.toString(QStringLiteral("yyyy년MM월dd일")) + "-" +
              d_.now.toString(QStringLiteral("hh시mm분ss초")));
  out_.Line(Dash());
  if (full) {
    for (const QString &m : o_.msgs)
      if (!m.isEmpty()) out_.Line(m);
    out_.Line(QString());
    if (file_ && !d_.extras.cashRcptNo.isEmpty() && !d_.extras.cashRcptCmitNo.isEmpty()) {
      out_.Line(QStringLiteral("현금영수: ") + MaskText(d_.extras.cashRcptNo));
      out_.Line(QStringLiteral("승인번호: ") + d_.extras.cashRcptCmitNo);
    }
    out_.Line(QStringLiteral("식별번호: ") + id_);
    out_.Line(QString());
  }
  out_.End();
}

QString Layout::Run() {
  id_ = IdNumber(d_.chit.date, d_.chit.chtNo, d_.checkDigits);
  // Bonus amounts: what the customer's points and amount are worth now.
  if (s_.onLine == 1 && o_.bnsMnySel != 0 && !o_.bnsJumsu.IsZero() && !o_.bnsGum.IsZero() &&
      !o_.bnsMoney.IsZero()) {
    const auto worth = [this](Currency have, Currency per) {
      return money::Checked(
          Currency::Mul(money::FloorMulDiv(have, Currency::Won(1), per), o_.bnsMoney));
    };
    amountBonus_ = worth(d_.cst.zerdo, o_.bnsGum);
    pointsBonus_ = worth(d_.cst.jumsu, o_.bnsJumsu);
  }
  pointsUsed_ = ProRataPoints(d_.list.gum[5], o_.bnsMoney, o_.bnsJumsu);
  amountUsed_ = ProRataAmount(d_.list.gum[5], o_.bnsMoney, o_.bnsGum);

  int style = FirstCopyStyle(d_.chit, d_.list, o_);
  if (!d_.list.gum[5].IsZero() && !d_.cst.key.IsZero()) statement();

  const RcptChit &c = d_.chit;
  int extra = s_.oiPrnSu;
  while (true) {
    copy(style);
    if (style == 1) {
      const bool again = approvedCard() || (partnerCounts() && o_.trsPrtNot == 0) || !c.oisang.IsZero() ||
                         (o_.cardCnt == 0 && !c.card.IsZero() && s_.van == 3);
      if (!again) break;
      style = 2;
      continue;
    }
    if (c.oisang.IsZero() || extra < 1) break;
    --extra;
  }
  return id_;
}

}  // namespace

void PrinterOut::Begin() { PrnClear(); }
void PrinterOut::Line(const QString &text) { PrnAddLine(text, 0); }
void PrinterOut::Wide(const QStringList &lines) {
  for (const QString &l : lines) PrnAddBytes(gsPrnWide + codepage::Encode(l) + gsPrnNormal, 0);
}
void PrinterOut::Bytes(const QByteArray &line) { PrnAddBytes(line, 0); }
void PrinterOut::End() {
  PrnFeedCut();
  PrnFlush();
}

void FileOut::Line(const QString &text) { bytes += codepage::Encode(text) + "\r\n"; }
void FileOut::Wide(const QStringList &lines) {
  Line(kWideOn);
  for (const QString &l : lines) Line(l);
  Line(kWideOff);
}
void FileOut::Bytes(const QByteArray &line) { bytes += line + "\r\n"; }
void FileOut::End() {
  Line(QString());
  Line(QString());
  Line(QStringLiteral("****1B****64****3||||"));
  Line(QStringLiteral("****1B****69||||"));
}

QString BuildReceipt(ReceiptData &data, const RcptOptions &opt, const RcptSettings &set, ReceiptOut &out) {
  return Layout(data, opt, set, out).Run();
}

QString VanName(int32_t van) {
  switch (van) {
    case 1: return QStringLiteral("KiCC");
    case 4: return QStringLiteral("FDK");
    case 5: return QStringLiteral("SMARTRO");
    case 9: return QStringLiteral("NiCE");
    case 10: return QStringLiteral("KiS");
    default: return QString();
  }
}

Currency ProRataPoints(Currency amount, Currency base, Currency scale) {
  if (base.IsZero()) return Currency();
  return money::FloorMulDiv(scale, amount, base);
}

Currency ProRataAmount(Currency amount, Currency base, Currency scale) {
  return ProRataPoints(amount, base, scale);
}

int DiscountPercent(const RcptLine &ln, const RcptGoods &g, int32_t dcPrint) {
  double d = 0;
  if (g.mech.raw() > 0 && ln.danga < g.mech) {
    d = (g.mech.ToDouble() - ln.danga.ToDouble()) / g.mech.ToDouble() * 100.0;
  } else {
    const Currency worth = money::Checked(Currency::Mul(ln.su, ln.danga));
    const Currency v = abs(worth), gum = abs(ln.gum);
    const bool weighed = g.barcode.right(6) == QLatin1String("000000");
    // A line worth nothing by quantity and price has no percentage to show.
    if ((weighed || gum < v) && worth != ln.gum && !v.IsZero())
      d = (v.ToDouble() - gum.ToDouble()) / v.ToDouble() * 100.0;
  }
  if (dcPrint != 0) return 0;
  const int old = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(d);
  std::fesetround(old);
  return int(r);
}

int FirstCopyStyle(const RcptChit &chit, const RcptList &list, const RcptOptions &opt) {
  return (!chit.card.IsZero() && opt.cardCnt == 1 && list.sss2 == 1) ? 2 : 1;
}

QString IdNumber(const QString &date, int32_t chtNo, int32_t checkDigits) {
  return date.mid(2, 6) + ("000000" + QString::number(chtNo)).right(6) + ("00" + QString::number(checkDigits)).right(2);
}

}  // namespace orv::print
