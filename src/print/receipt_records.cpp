#include "print/receipt.h"

namespace orv::print {

// Filled in with the chit records.
void ReceiptFromRecords(ReceiptData &) {}
void ReceiptToRecords(const ReceiptData &, bool) {}

}  // namespace orv::print
