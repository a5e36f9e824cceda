#include "checkout/collect_save.h"

#include <QFile>

#include "customer/cst_chit.h"
#include "chit/chit_numbers.h"
#include "chit/etc_chits.h"
#include "chit/pair_commit.h"
#include "chit/records.h"
#include "chit/sale_savers.h"
#include "chit/saver_state.h"
#include "core/money_ops.h"
#include "core/application.h"
#include "core/byte_text.h"
#include "core/card_ret.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "print/receipt.h"
#include "print/receipt_reprint.h"
#include "print/receipt_text.h"
#include "chit/pos_event.h"
#include "chit/sale_state.h"
#include "sync/go_offline.h"

namespace orv::checkout {

namespace {

constexpr int16_t kCollectKind = 9;
constexpr int32_t kCollectReceipt = 8;
constexpr int16_t kCollectEvent = 107;

// An overflow throws: a customer's totals set to 0 would be lost, not saved.
Currency Sum(Currency a, Currency b) { return money::Checked(Currency::Add(a, b)); }

// Everything a failed save puts back, so that a retry books nothing twice.
struct Kept {
  CstCodeRec cst = gtCstCode;
  CardRetRec card = gtCardRet;
  void Restore() const {
    gtCstCode = cst;
    gtCardRet = card;
  }
};

// A collection always takes a new number, also while a credit chit is picked on the sale.
class PickAside {
 public:
  PickAside() : pick_(giOisangPick) { giOisangPick = 0; }
  ~PickAside() { giOisangPick = pick_; }
  void Keep(int16_t value) { pick_ = value; }

 private:
  int16_t pick_;
};

void ClearChitRecords() {
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanChitTRecord();
  ClearPanGodsTRecords();
  ClearPanListRecord();
  ClearPanListTRecord();
}

// Points booked elsewhere since the customer was put on the sale must not be overwritten.
void RereadCustomer() { ReadCstRecordByKey(gtCstCode.CcdKey); }

void TellFailed(const QString &error) {
  QString text = error;
  if (!gtCardRet.CmitNo.isEmpty())
    text += (text.isEmpty() ? QString() : QStringLiteral("\r\n")) + QStringLiteral("카드승인번호 : ") + gtCardRet.CmitNo +
            QStringLiteral("\r\n승인금액 : ") + gtCardRet.Gum.ToPlainText();
  dialogs::MsgBox(text, dialogs::kOkOnly);
}

// Steps after the commits: each is reported on its own and never undoes the saved chit.
template <typename F>
void AfterCommit(F &&step) {
  try {
    step();
  } catch (...) {
    ReportUnhandled(std::current_exception());
  }
}

}  // namespace

void SetCollectChitHeader(const CollectEntry &e) {
  const QDateTime now = clock::Now();
  PanChitRec &h = gtPanChit;
  h.PctYear = giWrkYear;
  h.PctMon = giWrkMonth;
  h.PctDay = giWrkDay;
  h.PctDate = chit::WorkDateText();
  h.PctPosNo = giSetPosNo;
  h.PctPsnKey = gcLogPsnKey;
  h.PctTrsKey = gcTcdKey;
  h.PctHab = h.PctTax = h.PctGum = h.PctBuga = h.PctNtx = Currency();
  h.PctRGum = Sum(e.cash, e.card);
  h.PctCGum = Currency();
  h.PctMoney = e.cash;
  h.PctDc = Currency();
  h.PctCard = e.card;
  h.PctOisang = h.PctCSobi = Currency();
  h.PctCDKey = 0;
  h.PctCstKey = gtCstCode.CcdKey;
  h.PctCDComNo = gtCardRet.MeipCode;
  h.PctCDComName = MidH(gtCardRet.MeipName, 1, 50);
  h.PctGaSel = int16_t(glGaSel);
  h.PctHalSel = int16_t(glHalSel);
  h.PctCardNo = gtCardRet.CardNo;
  h.PctCardDate = gtCardRet.CardDate;
  h.PctCDGubun = QString::number(gtCardRet.Halbu).rightJustified(2, '0');
  h.PctGaMyNo = gtCardRet.GamyNo;
  h.PctCmitNo = gtCardRet.CmitNo;
  h.PctCmitDate = gtCardRet.CmitDate;
  h.PctWrtdate = now.toString("yyyyMMdd");
  h.PctWrttime = now.toString("HHmmss");
  h.PctChk = 0;
  // Offline the chit must stay unsent, or the sending of unsent data never carries it.
  h.PctJunsong = giOnLine == 1 ? 1 : 0;
  h.PctSss1 = 0;
  h.PctSss2 = kCollectKind;
  h.PctSss3 = 0;
  h.PctSss4 = Currency();
  h.PctSss5 = 0;
  h.PctChtNo = NextPanChtNo(h.PctDate, 0, YyMmNum(giWrkYear, giWrkMonth));
}

void SetCollectChitList(const CollectEntry &e) {
  PanListRec &l = gtPanList;
  ClearPanListRecord();
  l.PclYear = giWrkYear;
  l.PclMon = giWrkMonth;
  l.PclDay = giWrkDay;
  l.PclDate = chit::WorkDateText();
  l.PclChtNo = gtPanChit.PctChtNo;
  l.PclPosNo = giSetPosNo;
  l.PclPsnKey = gcLogPsnKey;
  l.PclSel = 0;
  l.PclSss2 = e.signFlag;
}

CollectPointOptions ReadCollectPointOptions() {
  CollectPointOptions o;
  o.cashBase = GetRegInt("PosCstJumsu");
  o.cardBase = GetRegInt("PosCstJumsu2");
  o.perUnit = GetRegInt("PosCstJumsuPoint");
  o.cstCard = GetRegInt("PosCstCard");
  o.bnsOisangNot = GetRegInt("PosBnsOisangNot");
  o.cstIrt = giOrvSetCstIrt;
  o.today = clock::Now().date();
  return o;
}

CollectPoints CollectPointsOf(Currency cash, Currency card, const CollectPointOptions &o) {
  CollectPoints out;
  if ((!card.IsZero() && o.cstCard == 1) || o.bnsOisangNot != 1) return out;
  out.counts = true;
  const Currency a = Sum(cash, card);
  const int32_t base = card.IsZero() ? o.cashBase : o.cardBase;
  if (base == 0 || a.IsZero()) return out;
  const int64_t addend = o.cstIrt == 0 ? 9000 : o.cstIrt == 1 ? 5000 : 0;  // 0.9, 0.5, 0
  const Currency quotient = Currency::FromDouble(a.ToDouble() / double(base)).value_or(Currency());
  const int64_t whole = (quotient.raw() + addend) / Currency::kScale;  // cut toward zero
  const int64_t perUnit = o.perUnit == 0 ? 1 : o.perUnit;
  out.points = Currency::FromWhole(whole * perUnit).value_or(Currency());
  return out;
}

void CalcCollectPoints(const CollectPointOptions &o) {
  const CollectPoints p = CollectPointsOf(gtPanChit.PctMoney, gtPanChit.PctCard, o);
  if (!p.counts) return;
  const Currency a = Sum(gtPanChit.PctMoney, gtPanChit.PctCard);
  CstCodeRec &c = gtCstCode;
  c.CcdTzerdo = Sum(c.CcdTzerdo, a);
  c.CcdTcnt = Sum(c.CcdTcnt, Currency::Won(1));
  c.CcdZerdo = Sum(c.CcdZerdo, a);
  c.CcdCnt = Sum(c.CcdCnt, Currency::Won(1));
  c.CcdLpdate = o.today.toString("yyyyMMdd");
  c.CcdTjumsu = Sum(c.CcdTjumsu, p.points);
  c.CcdJumsu = Sum(c.CcdJumsu, p.points);
  gtPanList.PclGum01 = gtPanChit.PctHab;
  gtPanList.PclGum02 = p.points;
  gtPanList.PclGum03 = c.CcdZerdo;
  gtPanList.PclGum04 = c.CcdJumsu;
}

void CalcCollectPoints() { CalcCollectPoints(ReadCollectPointOptions()); }

void WriteCollectPosLog(int32_t number, int16_t kind, const QString &text1,
                        const QString &text2, const QString &text3) {
  WritePosLogsRow(number, kind, text1, text2, text3, 0);
}

CollectResult SaveCollectChit(const CollectEntry &entry) {
  PickAside pick;
  Kept kept;
  try {
    ClearChitRecords();
    RereadCustomer();
    kept.cst = gtCstCode;
    SetCollectChitHeader(entry);
    SetCollectChitList(entry);
    if (!gtCstCode.CcdKey.IsZero()) CalcCollectPoints();
  } catch (const db::DbError &) {
    kept.Restore();
    ReportUnhandled(std::current_exception());
    return CollectResult::Failed;
  }

  chit::PairOutcome out;
  try {
    out = chit::PairCommit([] {
      QString err = gsPanChitInsert(1, 1);
      if (err.isEmpty()) err = gsPanChitTInsert(1);
      return err;
    });
  } catch (const db::DbError &e) {
    out = {chit::PairResult::Failed, chit::SaveErrText("PairCommit", e)};
  }
  if (!out.saved()) {
    kept.Restore();
    // An unknown outcome was told by the pair commit; its retry reads the journal first.
    if (out.result == chit::PairResult::Failed)
      TellFailed(out.error);
    else if (!gtCardRet.CmitNo.isEmpty())
      TellFailed({});
    return CollectResult::Failed;
  }
  pick.Keep(0);

  const QString date = gtPanChit.PctDate;
  const int32_t no = gtPanChit.PctChtNo;
  if (!gtCstCode.CcdKey.IsZero()) {
    AfterCommit([] { WriteCstChit(0); });
  }
  AfterCommit([&] { Print_File(date, no, kCollectReceipt, 0); });
  if (giSetPrint != 0 && giPrintOn != 0) {
    AfterCommit([&] {
      const QString path = print::ReceiptFilePath(date, no);
      if (QFile::exists(path))
        PrintReceiptFile(path, 0);
      else
        Print_Zerdo(date, no, kCollectReceipt, 0);
    });
  }
  if (entry.fromCashBox) {
    AfterCommit([&] {
      WriteCollectPosLog(1, kCollectEvent,
                         QString::number(no) + "," + gtPanChit.PctHab.ToPlainText() + "," +
                             entry.partnerName,
                         {}, {});
    });
  }

  gcJumsuGum = Currency();
  ClearPanChitRecord();
  ClearPanChitTRecord();
  ClearPanGodsTRecords();
  ClearWatChitRecord();
  ClearWatGodsRecords();
  ClearWatGodsSpeedRecords();
  ClearBdlChitRecord();
  ClearBdlGodsRecords();
  ClearBdlGodsSpeedRecords();
  ClearPanListRecord();
  ClearPanListTRecord();
  ClearCstRecord();
  ClearGdsRecord();
  ClearCardRet();
  giOisangPick = 0;
  glOisangChtNo = 0;
  return CollectResult::Saved;
}

}  // namespace orv::checkout
