#include "print/records_keeper.h"

#include "chit/records.h"

namespace orv::print {

struct RecordsKeeper::Saved {
  CstCodeRec cst;
};

RecordsKeeper::RecordsKeeper() : saved_(new Saved{gtCstCode}) {}
RecordsKeeper::~RecordsKeeper() {
  gtCstCode = saved_->cst;
  delete saved_;
}

}  // namespace orv::print
