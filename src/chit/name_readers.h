#pragma once
// Key-to-number-and-name readers of staff and trade partners (each leaves the name in
// gsCdName, emptied first), and the store of a customer's cash-receipt number. One bound
// statement each; database errors go to the caller, a missing row gives 0 or nothing.
#include <QString>

#include "core/currency.h"

orv::Currency ReadPsnNoName(orv::Currency key);  // PsnCode on goDbMain
orv::Currency ReadTrsNoName(orv::Currency key);  // TrsCode on goDbMain

// CcdBank of the customer: on the main database's CstCode, or the point server's.
void UpdateCstBank(orv::Currency key, const QString &text);    // goDbMain
void UpdateCstBankTs(orv::Currency key, const QString &text);  // goDbTs
