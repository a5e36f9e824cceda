#pragma once
// What the totals read of the sale grid, kept between totals: a row is read again only
// when the grid's stamp for it has moved, so the totals after each line of a long chit
// read that line instead of every line.
#include <QString>
#include <vector>

#include "platform/grid.h"
#include "sale/sale_calc.h"

namespace orv::sale {

class SaleRowReads {
 public:
  // Rows 1..MaxRows of g; readRow(row, line, dcCell) fills a row that changed. The lines'
  // outputs (newAmount, dc) are the caller's to overwrite.
  template <class ReadRow>
  void Read(const Grid &g, ReadRow readRow) {
    const size_t n = size_t(g.MaxRows() < 0 ? 0 : g.MaxRows());
    lines_.resize(n);
    dcCells_.resize(n);
    stamps_.resize(n, 0);
    for (size_t i = 0; i < n; ++i) {
      const quint64 stamp = g.RowStamp(int(i + 1));
      if (stamp != 0 && stamp == stamps_[i]) continue;
      readRow(int32_t(i + 1), lines_[i], dcCells_[i]);
      stamps_[i] = stamp;
    }
  }
  std::vector<SaleLine> &lines() { return lines_; }
  // The row's discount cell as it was read.
  const QString &dcCell(size_t i) const { return dcCells_[i]; }

 private:
  std::vector<quint64> stamps_;
  std::vector<SaleLine> lines_;
  std::vector<QString> dcCells_;
};

}  // namespace orv::sale
