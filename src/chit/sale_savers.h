#pragma once
// Saving a paid sale chit: the sale chit on the working connection (PanChit, PanList,
// PanCard, PanGods of the work month) and its POS copy on the POS connection (the T
// tables), which also removes the held or delivery chit the sale was recalled from.
#include <QString>
#include <cstdint>

// owned 0: the saver begins, commits and rolls back its own transaction; 1: the caller's.
// kind 0: a sale completed at the checkout; other values: the return screen, the rebuild.
// "" on success, else "[label:number:description]" of the first failing step (also in
// gsSaveErr); the failing statement is shown in a box. On failure gtPanChit and gtPanGods
// are as on entry and glSaveChtNo is 0. No exception leaves the saver.
QString gsPanChitInsert(int16_t owned, int16_t kind);
// The POS copy. glSaveChtNo ends as the copy's number. Same result and failure rules.
QString gsPanChitTInsert(int16_t owned);

QString gsPanChitInsSql();
QString gsPanListInsSql();
QString gsPanCardInsSql(int16_t slot);
QString gsPanGodsInsSql(int32_t line);
QString gsPanChitDelSql();
QString gsPanListDelSql();
QString gsPanGodsDelSql();
QString gsPanChitTInsSql();
QString gsPanListTInsSql();
QString gsPanCardTInsSql(int32_t slot);
QString gsPanGodsTInsSql(int32_t line);
QString gsPanChitTDelSql();
QString gsPanGodsTDelSql();
QString gsPanListTDelSql();

namespace orv::chit {

// The number of a sale chit by the shop's rule (online a picked credit chit keeps its
// number unless allowPick is false; else clock numbers or the count of the date).
int32_t ChooseSaleChitNo(bool allowPick);

// What the POS half removed besides writing the copy: the held and the delivery chit
// (date "" when none). The pair commit records it so that a copy written again later
// removes the same chits.
struct PosHalfDeletes {
  QString watDate;
  int32_t watNo = 0;
  QString bdlDate;
  int32_t bdlNo = 0;
};
extern PosHalfDeletes gPosHalfDeletes;  // of the latest gsPanChitTInsert

// The POS copy of the chit in gtPanChit/gtPanGods/gtPanList/gtPanCard under the given
// number, with the given held and delivery chits removed; statements on goDbPos in the
// caller's transaction. Throws StepFailure.
void WritePosCopy(int32_t number, const PosHalfDeletes &deletes);

}  // namespace orv::chit

// Once a sale is paid or returned: every chit record it filled, the customer, the goods,
// the money row and the card result emptied for the next sale.
void ClearSaleRecords();
