#include "print/records_keeper.h"

#include "chit/etc_chits.h"
#include "chit/records.h"

namespace orv::print {

struct RecordsKeeper::Saved {
  CstCodeRec cst;
  EtcChitRec watChit;
  EtcGodsRec watGods;
};

RecordsKeeper::RecordsKeeper() : saved_(new Saved{gtCstCode, gtWatChit, gtWatGods}) {}
RecordsKeeper::~RecordsKeeper() {
  gtCstCode = saved_->cst;
  gtWatChit = saved_->watChit;
  gtWatGods = saved_->watGods;
  delete saved_;
}

}  // namespace orv::print
