#pragma once
// The sale screen's side of the customer display: its clock and grid, the mirror globals
// the payment and card forms keep, and the clears the display asks for.
#include <QString>

#include "display/frmDisplay.h"

class SaleDisplaySource : public orv::display::DisplaySource {
 public:
  virtual QString NowText() const = 0;   // "yyyy-MM-dd"
  virtual QString TimeText() const = 0;  // "hh:mm:ss"
  virtual int RowCount() const = 0;
  virtual QString Cell(int row, int col) const = 0;  // 1-based

  orv::display::DisplayInputs Read() const override;
  void Clear(const orv::display::DisplayView &v) override;
};
