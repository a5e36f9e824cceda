#include "chit/records.h"
#include "print/receipt.h"

namespace orv::print {

void ReceiptFromRecords(ReceiptData &d) {
  const PanChitRec &p = gtPanChit;
  RcptChit &c = d.chit;
  c.date = p.PctDate;
  c.chtNo = p.PctChtNo;
  c.wrtDate = p.PctWrtdate;
  c.wrtTime = p.PctWrttime;
  c.hab = p.PctHab;
  c.gum = p.PctGum;
  c.buga = p.PctBuga;
  c.ntx = p.PctNtx;
  c.rgum = p.PctRGum;
  c.cgum = p.PctCGum;
  c.money = p.PctMoney;
  c.card = p.PctCard;
  c.oisang = p.PctOisang;
  c.csobi = p.PctCSobi;
  c.dcAmt = p.PctSss4;
  c.cashRcpt = p.PctSss5;
  c.trsKey = p.PctTrsKey;
  c.cstKey = p.PctCstKey;
  c.cardNo = p.PctCardNo.trimmed();
  c.cmitNo = p.PctCmitNo.trimmed();
  c.cmitDate = p.PctCmitDate.trimmed();
  c.cdComName = p.PctCDComName.trimmed();
  c.cdGubun = p.PctCDGubun.trimmed();
  c.gamyNo = p.PctGaMyNo.trimmed();
  d.lines.clear();
  if (d.kind != 8)
    for (int i = 1; i <= kMaxChitLines; ++i) {
      const PanGodsLine &l = gtPanGods[i];
      d.lines.append({l.PcgGdsKey, l.PcgSu, l.PcgDanga, l.PcgGum, int32_t(l.PcgTax.RoundToInt())});
    }
  const PanListRec &pl = gtPanList;
  const Currency gums[] = {pl.PclGum01, pl.PclGum02, pl.PclGum03, pl.PclGum04, pl.PclGum05,
                           pl.PclGum06, pl.PclGum07, pl.PclGum08, pl.PclGum09, pl.PclGum10};
  for (int i = 0; i < 10; ++i) d.list.gum[i + 1] = gums[i];
  d.list.jaSangPum = pl.PclJaSangPum;
  d.list.taSangPum = pl.PclTaSangPum;
  d.list.sss1 = pl.PclSss1;
  d.list.sss2 = pl.PclSss2;
  const CstCodeRec &k = gtCstCode;
  d.cst = RcptCustomer{k.CcdKey, k.CcdNo, k.CcdBarcode.trimmed(), k.CcdName.trimmed(), k.CcdJumsu, k.CcdZerdo, k.CcdTjumsu};
}

void ReceiptToRecords(const ReceiptData &d, bool) {
  // The customer block may have taken the goods points off, for the caller too.
  gtPanList.PclGum09 = d.list.gum[9];
}

}  // namespace orv::print
