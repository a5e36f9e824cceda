#pragma once
// Customer seeks by key: the customer's number, its name in gsCdName (emptied first) and its
// trade partner in gcHelpTrsKey when found. Database errors go to the caller.
#include "core/currency.h"

orv::Currency SeekCstCodeTs(orv::Currency key);      // CstCodeTs on goDbPos
orv::Currency SeekCstOnTsServer(orv::Currency key);  // CstCode on goDbTs
