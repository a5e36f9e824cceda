#include "sale/sale_lines.h"

LineMarks MarksFor(int16_t tax, orv::Currency bundle, orv::Currency freeGoods, int16_t noPoints,
                   int16_t bonus, bool oneMoa) {
  LineMarks m;
  if (tax == 1) {
    m.letters += 'T';
    m.code = true;
  }
  if (!bundle.IsZero()) {
    m.letters += 'M';
    m.qty = true;
  }
  if (!freeGoods.IsZero()) {
    m.letters += 'C';
    m.name = true;
  }
  if (noPoints != 0) {
    m.letters += 'X';
    m.price = true;
  }
  if (bonus != 0) {
    m.letters += bonus > 0 ? 'B' : '%';
    m.amount = true;
  }
  if (oneMoa) m.letters += 'O';
  return m;
}
