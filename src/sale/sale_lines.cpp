#include "sale/sale_lines.h"

LineMarks MarksFor(int16_t tax, orv::Currency bundle, orv::Currency freeGoods, int16_t noPoints,
                   int16_t bonus) {
  LineMarks m;
  m.code = tax == 1;
  m.qty = !bundle.IsZero();
  m.name = !freeGoods.IsZero();
  m.price = noPoints != 0;
  m.amount = bonus != 0;
  return m;
}
