#include "chit/screen_chit.h"

#include <QStringList>

#include "chit/field_list.h"
#include "chit/records.h"
#include "core/globals.h"
#include "platform/db.h"

using orv::chit::FieldOf;

namespace {

// The columns a screen chit stores, in the statements' order.
const FieldOf<PanChitRec> kHead[] = {
    {"PctYear", &PanChitRec::PctYear},       {"PctMon", &PanChitRec::PctMon},
    {"PctDay", &PanChitRec::PctDay},         {"PctDate", &PanChitRec::PctDate},
    {"PctChtno", &PanChitRec::PctChtNo},     {"PctPosNo", &PanChitRec::PctPosNo},
    {"PctTrsKey", &PanChitRec::PctTrsKey},   {"PctPsnKey", &PanChitRec::PctPsnKey},
    {"PctHab", &PanChitRec::PctHab},         {"PctTax", &PanChitRec::PctTax},
    {"PctGum", &PanChitRec::PctGum},         {"PctBuga", &PanChitRec::PctBuga},
    {"PctNtx", &PanChitRec::PctNtx},         {"PctGaSel", &PanChitRec::PctGaSel},
    {"PctHalSel", &PanChitRec::PctHalSel},   {"PctCSTKey", &PanChitRec::PctCstKey},
    {"PctWrtdate", &PanChitRec::PctWrtdate}, {"PctWrttime", &PanChitRec::PctWrttime},
    {"PctSss1", &PanChitRec::PctSss1},       {"PctSss2", &PanChitRec::PctSss2},
    {"PctSss3", &PanChitRec::PctSss3},       {"PctSss4", &PanChitRec::PctSss4},
    {"PctSss5", &PanChitRec::PctSss5},
};

const FieldOf<PanGodsLine> kLine[] = {
    {"PcgYear", &PanGodsLine::PcgYear},     {"PcgMon", &PanGodsLine::PcgMon},
    {"PcgDay", &PanGodsLine::PcgDay},       {"PcgDate", &PanGodsLine::PcgDate},
    {"PcgChtno", &PanGodsLine::PcgChtNo},   {"PcgSeqNo", &PanGodsLine::PcgSeqNo},
    {"PcgGdsKey", &PanGodsLine::PcgGdsKey}, {"PcgSu", &PanGodsLine::PcgSu},
    {"PcgDanga", &PanGodsLine::PcgDanga},   {"PcgGum", &PanGodsLine::PcgGum},
    {"PcgDC", &PanGodsLine::PcgDc},         {"PcgTax", &PanGodsLine::PcgTax},
    {"PcgSss1", &PanGodsLine::PcgSss1},     {"PcgSss2", &PanGodsLine::PcgSss2},
    {"PcgSss3", &PanGodsLine::PcgSss3},     {"PcgSss4", &PanGodsLine::PcgSss4},
    {"PcgSss5", &PanGodsLine::PcgSss5},
};

const std::span<const FieldOf<PanChitRec>> kHeadList(kHead);
const std::span<const FieldOf<PanGodsLine>> kLineList(kLine);

}  // namespace

QString InsPanChitP() {
  return "Insert into PanChitP(" + orv::chit::ColumnList(kHeadList) + ") Values(" +
         orv::chit::ValueList(gtPanChitP, kHeadList) + ")";
}

QString InsPanGodsP(int32_t line) {
  return "Insert into PanGodsP(" + orv::chit::ColumnList(kLineList) + " ) Values(" +
         orv::chit::ValueList(gtPanGodsP[line], kLineList) + ")";
}

namespace orv::chit {

void WriteScreenChit() {
  db::Transaction tx(goDbPos);
  goDbPos.Execute(InsPanChitP());
  db::Statement st;
  for (int i = 1; i <= kMaxChitLines; ++i) {
    const PanGodsLine &l = gtPanGodsP[i];
    if (l.PcgGdsKey.IsZero()) continue;
    if (!st.IsPrepared())
      st = goDbPos.Prepare("Insert into PanGodsP(" + ColumnList(kLineList) + ") Values(" +
                           Placeholders(kLineList) + ")");
    BindFields(st, l, kLineList);
    st.Execute();
  }
  tx.Commit();
}

}  // namespace orv::chit
