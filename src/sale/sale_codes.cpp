#include "sale/sale_codes.h"

#include "core/values.h"
#include "sale/goods_lookup.h"

namespace orv::sale {

ScaleIds MakeScaleIds(const QString &julBarcode, const std::array<int, 6> &gumSize) {
  ScaleIds s;
  for (int k = 0; k < 5; ++k) s.ids[k] = julBarcode.mid(k * 2, 2);
  s.ids[5] = julBarcode.size() >= 2 ? julBarcode.right(2) : QString();
  for (int k = 0; k < 6; ++k) s.wide[k] = gumSize[k] == 1;
  return s;
}

int MatchScaleId(const QString &code, const ScaleIds &ids) {
  const QString head = code.left(2);
  if (head.size() < 2 || head == QLatin1String("00")) return -1;
  for (int k = 0; k < 6; ++k)
    if (ids.ids[k].size() == 2 && ids.ids[k] == head) return k;
  return -1;
}

NormalCode NormaliseCode(const QString &text, const ScaleIds &ids) {
  NormalCode n;
  n.code = TrimBlanks(text);
  const int first = MatchScaleId(n.code, ids);
  if (first >= 0) DashCodeToBarcode(n.code, ids.wide[first] ? 1 : 0);
  if (n.code.size() == 12) n.code.prepend(QLatin1Char('0'));
  if (n.code.size() > 13) n.code.truncate(13);

  switch (n.code.size()) {
    case 0: n.path = CodePath::Empty; return n;
    case 10: n.path = CodePath::GoodsNo; return n;
    case 5: case 8: case 9: case 11: n.path = CodePath::ShortBarcode; return n;
    case 13: break;
    default: n.path = CodePath::Special; return n;
  }

  if (IsDigits(n.code.left(12)) == 1 && n.code.endsWith(QLatin1Char('-')))
    n.code = n.code.left(12) + EanCheckDigit(n.code.left(12));

  const int id = MatchScaleId(n.code, ids);
  bool scale = id >= 0;
  n.wide = scale && ids.wide[id];
  if (!scale && n.code.startsWith(QLatin1String("8800000"))) scale = true;
  if (!scale) {
    n.path = CodePath::Barcode13;
    return n;
  }
  n.path = CodePath::Scale;
  if (EanValidate(n.code).endsWith(QLatin1Char('X')) &&
      !NzCur(n.code.right(n.wide ? 7 : 6)).IsZero()) {
    n.badScale = true;
    return n;
  }
  const QString zeros = QStringLiteral("000000");
  if (n.wide) {
    n.lookupKey = n.code.left(2) + QLatin1Char('0') + n.code.mid(2, 4) + zeros;
    n.amount = NzCur(n.code.mid(6, 6));
  } else {
    n.lookupKey = n.code.left(7) + zeros;
    n.amount = NzCur(n.code.mid(7, 5));
  }
  return n;
}

}  // namespace orv::sale
