#include "sale/chit_number.h"

#include "core/byte_text.h"
#include "core/values.h"

namespace orv::sale {

namespace {

bool WholeChitNo(Currency n) {
  return n.raw() % Currency::kScale == 0 && n >= Currency::Won(1) && n <= Currency::Won(999999);
}

}  // namespace

ChitNumberRef ParseChitNumber(const QString &typed, const QString &workDate) {
  using Source = ChitNumberRef::Source;
  ChitNumberRef ref;
  const QString text = TrimBlanks(typed);
  const QString century = workDate.left(2);
  const QString ymd = MidAnsi(text, 1, 6);
  const int len = LenAnsi(text);

  if (MidAnsi(text, 7, 1) == QLatin1String("-")) {
    ref.number = NzCur(MidAnsi(text, 8));
    if (IsDigits(ymd) != 1 || ymd.size() != 6 || !WholeChitNo(ref.number)) return {};
    ref.date = century + ymd;
    ref.source = Source::PanChit;
    return ref;
  }
  if (len <= 6) {
    ref.number = NzCur(text);
    if (!WholeChitNo(ref.number)) return {};
    ref.date = workDate;
    ref.source = Source::PanChit;
    return ref;
  }
  if (len != 14 && len != 13) return {};
  if (IsDigits(ymd) != 1 || ymd.size() != 6) return {};
  ref.date = century + ymd;
  ref.number = NzCur(MidAnsi(text, 7, 6));
  ref.source = len == 14 ? Source::PanChit : Source::PanChitP;
  return ref;
}

QString RecallCode(const QString &gcdBarcode, Currency gcdNo, const ScaleIds &ids) {
  const QString barcode = TrimBlanks(gcdBarcode);
  if (barcode.isEmpty()) return gcdNo.ToPlainText();
  const int id = MatchScaleId(barcode, ids);
  if (id >= 0 && ids.wide[id])
    return barcode.left(2) + barcode.mid(3, 4) + QStringLiteral("0000000");
  return barcode;
}

}  // namespace orv::sale
