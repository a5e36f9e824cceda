#pragma once
// The barcode of a customer, read where the shop keeps its customers (giCstTsMode).
#include <QString>

#include "core/currency.h"

// Trimmed; "" when no customer has that key. Database errors go to the caller.
QString GetCstBarcode(orv::Currency cstKey);
