#pragma once
// Saving a paid sale: the settlement of a picked credit chit, the chit and its POS copy,
// the money row of a cash receipt and the visit counter, in one pair commit of the
// working and the POS database; and the rows around it (receivables, ledger, event row).
#include <QString>
#include <cstdint>

#include "checkout/accrual.h"
#include "core/currency.h"

namespace orv::checkout {

struct CommitRequest {
  bool oisangPay = false;  // the sale pays a picked credit chit
  int32_t oisangChtNo = 0;
  QString wrkDate;         // yyyymmdd
  bool withCustomer = false;
  VisitWrite visit;        // the visit counter of the accrual
};

struct CommitResult {
  bool saved = false;
  bool creditChitMissing = false;  // "외상전표를 찾을수없습니다."
  QString error;                   // the text to show when not saved
};

// From BeginTrans to the commits. On failure both databases are rolled back and the chit
// records are as on entry. The records then hold the saved chit (with its number).
CommitResult CommitSaleChit(const CommitRequest &req);

// Receivables of a trade partner: its check flag and limit into giTrsMisuCheck and
// gcTrsMisuLimit, and its balance of the work month.
void ReadTrsMisuLimit(Currency trsKey);
Currency GetTrsMisu(Currency trsKey);

// One event row of this checkout on goDbMain, numbered after the last saved chit.
void WriteCashLog(int32_t no, int16_t kind, const QString &text1, const QString &text2,
                  QString &text3);

// The customer ledger line of a paid-off credit chit (gtPanChit, gtPanList), inside the
// open transaction; a failure is shown and passed over without spoiling the transaction.
void WriteOiIpgumWnjg();

// The settings "gsSetBFDate" and "goSetBFChtNo" of the saved chit, with the voice
// program's "giSetWavEnd" 1 and "giSetWavCard" 0, in one store write.
bool SaveLastChitSettings(const QString &date, int32_t chtNo);

}  // namespace orv::checkout
