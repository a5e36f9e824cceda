// The OneMoa loyalty service's members of the sale screen: the sale's member, its labels,
// and the report and cancellation of a saved member sale (after both commits).
#include <QLabel>

#include "checkout/checkout_globals.h"
#include "chit/records.h"
#include "core/dates.h"
#include "core/money_ops.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "customer/CstOneMoaFrm.h"
#include "customer/onemoa.h"
#include "platform/db.h"
#include "platform/grid.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "sale/chit_recall.h"
#include "sale/chit_number.h"
#include "sale/frmMain.h"
#include "sale/goods_lookup.h"
#include "sale/sale_globals.h"

namespace onemoa = orv::onemoa;
using orv::money::operator-;

namespace {

onemoa::ChitKey KeyOf(const PanChitRec &h) { return {h.PctYear, h.PctMon, h.PctDay, h.PctChtNo}; }

QString WorkMonth() { return FmtYyMm(giWrkYear, giWrkMonth); }

}  // namespace

void frmMain::ClearOneMoa() {
  gsOneMoaFindKey.clear();
  gsOneMoaPersonCode.clear();
  gsOneMoaPersonName.clear();
  giOneMoaCardKey = 0;
  gcOneMoaUsingPoint = {};
  ShowOneMoaNo();
}

// The member comes only from an answer that names one: a failed or empty lookup leaves no
// member, never the previous customer's.
void frmMain::ReadCstOneMoa(const QString &memberKeyIn) {
  const QString memberKey = memberKeyIn;  // callers pass the member code being cleared here
  gsOneMoaFindKey = memberKey;
  gsOneMoaPersonCode.clear();
  gsOneMoaPersonName.clear();
  gcOneMoaUsingPoint = {};
  giOneMoaCardKey = onemoa::CardKeyOf(gsOneMoaFindKey);
  if (gsOneMoaClientCode.isEmpty()) return;
  orv::WaitCursor wait;
  const onemoa::Exchange ex = onemoa::Send(
      onemoa::FindQuery(onemoa::ServerAddress(), memberKey, gsOneMoaClientCode));
  const QString code = ex.Value(QStringLiteral("personcode")).trimmed();
  if (!ex.ok || ex.elements == 0 || code.isEmpty() ||
      ex.Value(QStringLiteral("resultcode")) != QLatin1String("0"))
    return;
  gsOneMoaPersonCode = code;
  gsOneMoaPersonName = ex.Value(QStringLiteral("personname"));
  gcOneMoaUsingPoint = NzCur(ex.Value(QStringLiteral("usingpoint")));
}

void frmMain::ShowOneMoaNo() {
  OneMoaNoLbl->setText(onemoa::MaskMemberCode(gsOneMoaPersonCode));
  OneMoaNameLbl->setText(gsOneMoaPersonName);
  OneMoaPointLbl->setText(gsOneMoaPersonCode.isEmpty() && gcOneMoaUsingPoint.IsZero()
                              ? QString()
                              : FmtAmt(gcOneMoaUsingPoint, 0));
  const long color = giOneMoaCardKey == 1 ? 0x00FF0000 : 0x00000000;
  for (QLabel *l : {OneMoaNoLbl, OneMoaNameLbl, OneMoaPointLbl}) SetLabelColor(l, color, true);
}

void frmMain::OneMoaCmd_Click() {
  CstOneMoaFrm form(gsOneMoaClientCode, this);
  orv::dialogs::ShowModal(form);
  const CstOneMoaFrm::Member &m = form.Result();
  if (m.handedBack) {
    gsOneMoaFindKey = m.findKey;
    gsOneMoaPersonCode = m.personCode;
    giOneMoaCardKey = m.cardKey;
    gcOneMoaUsingPoint = m.usingPoint;
  }
  ShowOneMoaNo();
  vaSpread1->setFocus();
}

bool frmMain::SendOneMoaChit(const QString &request) {
  return !onemoa::SendOneMoaChit(request).fail;
}

bool frmMain::WriteOneMoaChit() {
  if (gsOneMoaPersonCode.isEmpty() || gsOneMoaClientCode.isEmpty()) return true;
  orv::WaitCursor wait;
  const PanChitRec &h = gtPanChit;
  const QString yymm = WorkMonth();
  onemoa::MarkOneMoaSending(goDbMain, goDbPos, yymm, KeyOf(h), KeyOf(gtPanChitT));
  onemoa::Report r;
  r.server = onemoa::ServerAddress();
  r.clientCode = gsOneMoaClientCode;
  r.personCode = gsOneMoaPersonCode;
  r.date = h.PctDate;
  r.time = h.PctWrttime;
  r.chitNo = QString::number(h.PctChtNo);
  r.total = h.PctHab;
  r.usePoint = QString::number(gtPanList.PclSss1);
  r.cashier = gsPcdName;
  r.pcIp = gsPosPcIp;
  for (int i = 1; i <= kMaxChitLines; ++i) {
    const PanGodsLine &g = gtPanGods[i];
    if (g.PcgGdsKey.IsZero() || g.PcgSss1 != 1) continue;
    r.lines << onemoa::ReportLine{i, gsOneMoaGdsCode[i], gsOneMoaGdsName[i], g.PcgDanga, g.PcgSu};
  }
  const bool allSent = onemoa::SendReport(r);
  onemoa::MarkOneMoaSent(goDbMain, goDbPos, yymm, KeyOf(h), KeyOf(gtPanChitT), allSent,
                         gsOneMoaPersonCode);
  return allSent;
}

// The replaced credit chit goes back under the member and the codes it was reported with:
// each saved line's goods as the recall enters them, not line i of the new sale.
bool frmMain::DeleteOneMoaChit(orv::Currency) {
  if (gsOneMoaSaleCode.isEmpty() || gsOneMoaClientCode.isEmpty()) return true;
  // Thirteen zeros: a local customer's chit that was never reported.
  if (gsOneMoaSaleCode == QLatin1String("0000000000000")) return true;
  orv::WaitCursor wait;
  onemoa::Report r;
  r.cancel = true;
  r.server = onemoa::ServerAddress();
  r.clientCode = gsOneMoaClientCode;
  r.personCode = gsOneMoaSaleCode;
  r.date = gtPanChit.PctDate;
  r.time = onemoa::CancelTime(gtPanChit.PctWrttime);
  r.chitNo = QString::number(gtOneMoaChit.PctChtNo);
  r.total = -gtOneMoaChit.PctHab;
  r.cashier = gsPcdName;
  r.pcIp = gsPosPcIp;
  const GdsCodeRec keptGoods = gtGdsCode;
  orv::sale::GoodsByKey goods(goDbMain);
  const orv::sale::ScaleIds ids = ReadScaleIds();
  for (int i = 1; i <= kMaxChitLines; ++i) {
    const PanGodsLine &g = gtOneMoaGods[i];
    if (g.PcgGdsKey.IsZero() || g.PcgSss1 != 1) continue;
    if (!goods.Load(g.PcgGdsKey)) {
      orv::db::LogFailure(QStringLiteral("OneMoa 취소: 상품이 없습니다 (상품키 %1)")
                              .arg(g.PcgGdsKey.ToPlainText()));
      continue;
    }
    r.lines << onemoa::ReportLine{
        i, orv::sale::RecallCode(gtGdsCode.GcdBarcode, gtGdsCode.GcdNo, ids),
        gtGdsCode.GcdName.trimmed(), g.PcgDanga, -g.PcgSu};
  }
  gtGdsCode = keptGoods;
  return onemoa::SendReport(r);
}
