#include "print/records_keeper.h"

namespace orv::print {

// Filled in with the customer record.
struct RecordsKeeper::Saved {};

RecordsKeeper::RecordsKeeper() : saved_(new Saved) {}
RecordsKeeper::~RecordsKeeper() { delete saved_; }

}  // namespace orv::print
