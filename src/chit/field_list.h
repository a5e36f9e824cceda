#pragma once
// Records described by one list of their fields, so that the clear, the row reader and an
// insert's column and value lists walk the same list and cannot drift apart.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <limits>
#include <span>
#include <variant>

#include "core/currency.h"
#include "core/values.h"
#include "platform/db.h"

namespace orv::chit {

template <class R>
struct FieldOf {
  const char *name;
  std::variant<int16_t R::*, int32_t R::*, orv::Currency R::*, QString R::*> member;
};

// A stored number narrowed to a whole field: rounded halves to even, and an error
// (number 6, as an overflow is reported) when it does not fit.
template <class T>
T NarrowWhole(orv::Currency value, const char *field) {
  const int64_t v = value.RoundToInt();
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
    throw orv::db::DbError(6, QStringLiteral("오버플로: ") + QString::fromLatin1(field));
  return T(v);
}

// Loads the current row by column name: numbers through NzCur, texts through NzStr.
// A missing column or a number too wide for its field throws; the fields read before
// keep their new values.
template <class R>
void ReadFields(const orv::db::Recordset &rs, R &rec, std::span<const FieldOf<R>> fields) {
  for (const FieldOf<R> &f : fields) {
    const QVariant v = rs.Field(QString::fromLatin1(f.name));
    std::visit(
        [&](auto member) {
          using M = std::remove_reference_t<decltype(rec.*member)>;
          if constexpr (std::is_same_v<M, QString>)
            rec.*member = NzStr(v);
          else if constexpr (std::is_same_v<M, orv::Currency>)
            rec.*member = NzCur(v);
          else
            rec.*member = NarrowWhole<M>(NzCur(v), f.name);
        },
        f.member);
  }
}

// Column names joined by ", ".
template <class R>
QString ColumnList(std::span<const FieldOf<R>> fields) {
  QStringList out;
  for (const FieldOf<R> &f : fields) out << QString::fromLatin1(f.name);
  return out.join(", ");
}

// Values as statement text: whole numbers in decimal, money in plain decimal, texts
// through the literal helper; joined by ",".
template <class R>
QString ValueList(const R &rec, std::span<const FieldOf<R>> fields) {
  QStringList out;
  for (const FieldOf<R> &f : fields) {
    std::visit(
        [&](auto member) {
          using M = std::remove_cvref_t<decltype(rec.*member)>;
          if constexpr (std::is_same_v<M, QString>)
            out << orv::db::SqlText(rec.*member);
          else if constexpr (std::is_same_v<M, orv::Currency>)
            out << (rec.*member).ToPlainText();
          else
            out << QString::number(rec.*member);
        },
        f.member);
  }
  return out.join(",");
}

}  // namespace orv::chit
