#pragma once
// Key-to-number-and-name readers of staff, trade partners and customers; each leaves the
// name in gsCdName. Database errors go to the caller.
#include "core/currency.h"

orv::Currency ReadPsnNoName(orv::Currency key);      // PsnCode on goDbMain
orv::Currency ReadTrsNoName(orv::Currency key);      // TrsCode on goDbMain
// The customer's number; also sets gcHelpTrsKey to the customer's partner when found.
orv::Currency SeekCstCodeTs(orv::Currency key);      // CstCodeTs on goDbPos
orv::Currency SeekCstOnTsServer(orv::Currency key);  // CstCode on goDbTs
