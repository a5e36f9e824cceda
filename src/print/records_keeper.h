#pragma once
// Keeps the sale screen's customer record for the length of a printout that loads
// another customer into it, and puts it back on every way out.
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
