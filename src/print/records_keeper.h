#pragma once
// Keeps the sale screen's customer record and held-chit records for the length of a
// printout that loads others into them, and puts them back on every way out.
namespace orv::print {

class RecordsKeeper {
 public:
  RecordsKeeper();
  ~RecordsKeeper();
  RecordsKeeper(const RecordsKeeper &) = delete;
  RecordsKeeper &operator=(const RecordsKeeper &) = delete;

 private:
  struct Saved;
  Saved *saved_;
};

}  // namespace orv::print
