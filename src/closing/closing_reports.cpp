#include "closing/closing_reports.h"

#include <functional>

#include "closing/closing_card_names.h"
#include "closing/closing_sections.h"
#include "closing/frmSelPrint.h"
#include "core/application.h"
#include "core/bound_sql.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"

namespace orv::closing {

namespace {
QStringList &Calls() {
  static QStringList calls;
  return calls;
}
void ClearCalls() { Calls().clear(); }
const bool kResetRegistered = orv::state::RegisterReset(&ClearCalls);

using OpenBuilder = SectionSql (*)(const Dialect &, const ClosingContext &, orv::Currency);
using TemBuilder = SectionSql (*)(const Dialect &, const ClosingContext &, orv::Currency,
                                  const SavedClosingKey &);

struct SectionSpec {
  SectionKind kind;
  int key;  // PosSalePrn<key> chooses it; 0 always read
  OpenBuilder open;
  TemBuilder tem;
};

const SectionSpec kSections[] = {
    {SectionKind::Supplier, 1, &SqlSaleByTrs, &SqlTemSaleByTrs},
    {SectionKind::Bmn1, 2, &SqlSaleByBmn1, &SqlTemSaleByBmn1},
    {SectionKind::Bmn2, 3, &SqlSaleByBmn2, &SqlTemSaleByBmn2},
    {SectionKind::Bmn3, 4, &SqlSaleByBmn3, &SqlTemSaleByBmn3},
    {SectionKind::Returns, 5, &SqlReturnGoods, &SqlTemReturnGoods},
    {SectionKind::Card, 6, &SqlCardByCom, &SqlTemCardByCom},
    {SectionKind::CardDetail, 7, &SqlCardByComName, &SqlTemCardByComName},
    {SectionKind::Credit, 0, &SqlOiSangByTrs, &SqlTemOiSangByTrs},
    {SectionKind::Collections, 0, &SqlRGumByTrs, &SqlTemRGumByTrs},
    {SectionKind::Coupon, 0, &SqlCouponGoods, &SqlTemCouponGoods},
};

QString CardCode(const QVariant &v) { return ("0000" + NzStr(v)).right(4); }

SectionRow ReadRow(SectionKind kind, const db::Recordset &rs) {
  SectionRow r;
  switch (kind) {
    case SectionKind::Supplier:
      r.name = NzStr(rs.Field("TcdName"));
      r.amount = NzCur(rs.Field("PcgGum"));
      break;
    case SectionKind::Bmn1:
    case SectionKind::Bmn2:
    case SectionKind::Bmn3:
      r.name = NzStr(rs.Field("EcdName"));
      r.amount = NzCur(rs.Field("PcgGum"));
      break;
    case SectionKind::Returns:
    case SectionKind::Coupon:
      r.name = NzStr(rs.Field("GcdName"));
      r.su = NzCur(rs.Field("PcgSu"));
      r.amount = NzCur(rs.Field("PcgGum"));
      break;
    case SectionKind::Card:
      r.code = CardCode(rs.Field("PctCdComNo"));
      r.name = GetClosingCardComName(r.code);
      r.count = NzCur(rs.Field("CardSu"));
      r.amount = NzCur(rs.Field("PctCard"));
      break;
    case SectionKind::CardDetail:
      r.code = CardCode(rs.Field("PctCdComNo"));
      r.name = NzStr(rs.Field("PctCdComName"));
      r.count = NzCur(rs.Field("CardSu"));
      r.amount = NzCur(rs.Field("PctCard"));
      break;
    case SectionKind::Credit:
      r.name = NzStr(rs.Field("TcdName"));
      r.amount = NzCur(rs.Field("PctOiSang"));
      break;
    case SectionKind::Collections:
      r.name = NzStr(rs.Field("TcdName"));
      r.amount = NzCur(rs.Field("PctRGum"));
      break;
  }
  return r;
}

bool Ticked(int key) { return SalePrnTicked(key); }

SavedClosingKey SavedKey() {
  SavedClosingKey k;
  k.TemDate = NzStr(settings_store::GetSetting(QStringLiteral("TemDate")));
  const int64_t no = NzCur(settings_store::GetSetting(QStringLiteral("TemChtNo"))).RoundToInt();
  k.TemChtNo = (no > INT32_MAX || no < INT32_MIN) ? 0 : int32_t(no);
  return k;
}

void Run(ReportKind kind, const QString &name, const ClosingFigures &f, const ClosingContext &ctx) {
  Calls() << name;
  const bool tem = kind == ReportKind::TemStandard || kind == ReportKind::TemByTender;
  if (tem) {
    const SavedClosingKey k = SavedKey();
    if (k.TemDate.isEmpty() || k.TemChtNo == 0) return;
  }
  try {
    const ReportInput in = ReadClosingReport(kind, f, ctx);
    const std::vector<ReportLine> lines = LayoutClosingReport(in);
    PrnClear();
    for (const ReportLine &l : lines) {
      if (l.wide)
        PrnAddBytes(gsPrnWide + codepage::Encode(l.text) + gsPrnNormal, 0);
      else
        PrnAddLine(l.text, 0);
    }
    PrnFeedCut();
    PrnFlush();
  } catch (const std::exception &) {
    ReportUnhandled(std::current_exception(), QStringLiteral("마감출력"));
  }
}

}  // namespace

std::array<orv::Currency, kCoinKinds> ReadCoinCounts() { return StoredCoinCounts(); }

ReportInput ReadClosingReport(ReportKind kind, const ClosingFigures &f, const ClosingContext &ctx) {
  const bool tem = kind == ReportKind::TemStandard || kind == ReportKind::TemByTender;
  const SavedClosingKey saved = tem ? SavedKey() : SavedClosingKey{};
  ReportInput in;
  in.kind = kind;
  in.posNo = giSetPosNo;
  in.pcdNo = gcPcdNo;
  in.pcdName = gsPcdName;
  in.workDate = ctx.msWrkDate;
  in.nowTime = orv::clock::Now().toString(QStringLiteral("hh:mm:ss"));
  in.figures = f;
  in.van = giSetVan;
  const Dialect d = goDbPos.dialect();
  for (const SectionSpec &s : kSections) {
    if (s.key != 0 && !Ticked(s.key)) continue;
    const SectionSql sql = tem ? s.tem(d, ctx, gcLogPsnKey, saved) : s.open(d, ctx, gcLogPsnKey);
    if (sql.IsEmpty()) continue;  // no month table in the window
    db::Recordset rs = QueryBound(goDbPos, sql.text, sql.args);
    ReportSection section{s.kind, {}};
    for (; !rs.Eof(); rs.MoveNext()) section.rows.push_back(ReadRow(s.kind, rs));
    in.sections.push_back(std::move(section));
  }
  in.coinTable = Ticked(9);
  if (in.coinTable) in.coinCounts = ReadCoinCounts();
  return in;
}

void ShowfrmSelPrint(QWidget *parent) {
  frmSelPrint form(parent);
  dialogs::ShowModal(form);
}

void PrintTerminate(const ClosingFigures &f, const ClosingContext &ctx) {
  Run(ReportKind::Standard, QStringLiteral("PrintTerminate"), f, ctx);
}
void PrintTerminateByTender(const ClosingFigures &f, const ClosingContext &ctx) {
  Run(ReportKind::ByTender, QStringLiteral("PrintTerminateByTender"), f, ctx);
}
void PrintTemTerminate(const ClosingFigures &f, const ClosingContext &ctx) {
  Run(ReportKind::TemStandard, QStringLiteral("PrintTemTerminate"), f, ctx);
}
void PrintTemTerminateByTender(const ClosingFigures &f, const ClosingContext &ctx) {
  Run(ReportKind::TemByTender, QStringLiteral("PrintTemTerminateByTender"), f, ctx);
}

QStringList TakeReportCalls() {
  QStringList out;
  out.swap(Calls());
  return out;
}

}  // namespace orv::closing
