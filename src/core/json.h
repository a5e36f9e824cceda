#pragma once
// A lenient JSON reader: single-quoted and bare keys, missing or extra commas,
// parentheses and comments are accepted, and problems are collected as error text
// (JsonErrors) instead of failing. It only reads.
#include <QHash>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "core/currency.h"

namespace orv::json {

// An exact decimal number: a 96-bit magnitude scaled by 10^-scale (scale 0 to 28).
class Decimal {
 public:
  enum class Parse { Ok, Malformed, Overflow };

  Decimal() = default;
  // Reads an optional sign, digits with at most one ".", and an optional exponent
  // ("e" or "E", sign, digits). Digits beyond what fits are rounded, halves to even.
  static Parse FromText(QStringView text, Decimal &out);
  static std::optional<Decimal> FromText(QStringView text);
  static Decimal FromInt(int64_t value);

  bool IsNegative() const { return negative_; }
  int Scale() const { return scale_; }
  // "-", the integer digits, and "." with the fraction's digits without trailing zeros.
  QString ToText() const;
  // Rounded to four decimals, halves to even; nullopt outside the money range.
  std::optional<Currency> ToCurrency() const;

  friend bool operator==(const Decimal &a, const Decimal &b);

 private:
  unsigned __int128 magnitude_ = 0;
  int scale_ = 0;
  bool negative_ = false;
};

class Dictionary;
class Collection;

// One value of the tree. A default Value is "empty" (neither a number nor null): what a
// number cut off by the end of the text reads as, and what a missing member gives.
class Value {
 public:
  enum class Type { Empty, Null, Boolean, Number, Text, Dictionary, Collection };

  Value() = default;
  static Value Null() { return Value(NullTag{}); }
  explicit Value(bool b) : v_(b) {}
  explicit Value(const Decimal &d) : v_(d) {}
  explicit Value(QString s) : v_(std::move(s)) {}
  explicit Value(std::shared_ptr<json::Dictionary> d) : v_(std::move(d)) {}
  explicit Value(std::shared_ptr<json::Collection> c) : v_(std::move(c)) {}

  Type type() const { return Type(v_.index()); }
  bool IsEmpty() const { return type() == Type::Empty; }
  bool IsNull() const { return type() == Type::Null; }
  bool IsBoolean() const { return type() == Type::Boolean; }
  bool IsNumber() const { return type() == Type::Number; }
  bool IsText() const { return type() == Type::Text; }
  bool IsDictionary() const { return type() == Type::Dictionary; }
  bool IsCollection() const { return type() == Type::Collection; }

  // Each gives its type's zero (false, 0, "", an empty dictionary or collection) when the
  // value is of another type.
  bool AsBoolean() const;
  Decimal AsNumber() const;
  QString AsText() const;
  const json::Dictionary &AsDictionary() const;
  const json::Collection &AsCollection() const;
  std::shared_ptr<json::Dictionary> DictionaryPtr() const;
  std::shared_ptr<json::Collection> CollectionPtr() const;

  // A dictionary's member (empty when missing or not a dictionary).
  const Value &operator[](const QString &key) const;
  // A collection's item, counted from 1 (empty when out of range or not a collection).
  const Value &operator[](int index) const;

 private:
  struct NullTag {};
  explicit Value(NullTag t) : v_(t) {}
  std::variant<std::monostate, NullTag, bool, Decimal, QString,
               std::shared_ptr<json::Dictionary>, std::shared_ptr<json::Collection>>
      v_;
};

// Members in the order of the text; keys compared case-sensitively.
class Dictionary {
 public:
  int Count() const { return int(items_.size()); }
  bool Exists(const QString &key) const { return index_.contains(key); }
  // False (and nothing changes) when the key is already there.
  bool Add(const QString &key, Value value);
  // Empty when missing.
  const Value &Item(const QString &key) const;
  // Member by order, counted from 1.
  const QString &KeyAt(int i) const { return items_[size_t(i - 1)].first; }
  const Value &ItemAt(int i) const { return items_[size_t(i - 1)].second; }

 private:
  std::vector<std::pair<QString, Value>> items_;
  QHash<QString, int> index_;
};

// Items counted from 1.
class Collection {
 public:
  int Count() const { return int(items_.size()); }
  void Add(Value value) { items_.push_back(std::move(value)); }
  // Empty when out of range.
  const Value &Item(int i) const;

 private:
  std::vector<Value> items_;
};

// An error raised inside a read (a number that cannot be converted, a key already
// present); the enclosing object or array records its description and stops.
struct ReadError {
  QString description;
};

}  // namespace orv::json

// Parses a text that starts (after blanks and comments) with "{" or "[": a dictionary or a
// collection, possibly filled only in part; an empty Value when the text starts otherwise.
// Clears and fills the error text.
orv::json::Value JsonParse(const QString &text);
// The error text of the last parse, each message ended by CR LF; empty when all was well.
QString JsonErrors();

// The steps of the reader. Each reads at a 1-based position in the text and moves it past
// what it read. JsonReadNumber (and JsonReadValue through it) throws orv::json::ReadError.
orv::json::Value JsonReadObject(const QString &text, int &pos);
orv::json::Value JsonReadArray(const QString &text, int &pos);
orv::json::Value JsonReadValue(const QString &text, int &pos);
QString JsonReadString(const QString &text, int &pos);
orv::json::Value JsonReadNumber(const QString &text, int &pos);
bool JsonReadBoolean(const QString &text, int &pos);
orv::json::Value JsonReadNull(const QString &text, int &pos);
QString JsonReadKey(const QString &text, int &pos);
void JsonSkipBlanks(const QString &text, int &pos);

namespace orv::state {
void ResetJson();
}
