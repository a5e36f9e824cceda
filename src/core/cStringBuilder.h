#pragma once
// Collects text in a buffer that grows in large chunks, so that building a long text does
// not copy the whole text on every addition. Lengths are kept in bytes of UTF-16 text;
// the public members count characters.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>

class cStringBuilder {
 public:
  enum class Compare { Binary, Text };  // by character code / ignoring case

  cStringBuilder() = default;
  cStringBuilder(const cStringBuilder &other);
  cStringBuilder &operator=(const cStringBuilder &other);
  cStringBuilder(cStringBuilder &&other) noexcept;
  cStringBuilder &operator=(cStringBuilder &&other) noexcept;

  int32_t Length() const { return used_ / 2; }
  int32_t Capacity() const { return capacity_ / 2; }
  int32_t ChunkSize() const { return chunk_ / 2; }
  // A size below 1 would never let the buffer grow: it counts as 1. Throws
  // std::overflow_error (keeping the old size) when the bytes do not fit in 32 bits.
  void ChunkSize(int32_t chars);

  QString toString() const;
  void TheString(const QString &text);
  void Clear();
  void AppendNL(const QString &text);
  void Append(const QString &text) { Append(QStringView(text)); }
  void Append(QStringView text);
  void AppendByVal(QString text) { Append(QStringView(text)); }
  // Index in characters from 0 (Length appends). Throws std::out_of_range (error 9)
  // and changes nothing when the index is outside 0..Length.
  void Insert(int32_t index, const QString &text);
  void InsertByVal(int32_t index, QString text) { Insert(index, text); }
  // Throws std::out_of_range (error 9) and changes nothing when the range is not inside
  // the collected text.
  void Remove(int32_t index, int32_t length);
  // 1-based position of the first match at or after start (below 1 counts as 1), or 0.
  int32_t Find(const QString &text, int32_t start = 1, Compare comparison = Compare::Binary) const;
  // Gives back spare capacity, leaving at most one chunk.
  void HeapMinimize();

 private:
  // Makes room for used_ + bytes, growing by whole chunks.
  void Reserve(int64_t needBytes);
  void Reallocate(int32_t capacityBytes);
  char16_t *data() { return buf_.get(); }
  const char16_t *data() const { return buf_.get(); }

  std::unique_ptr<char16_t[]> buf_;  // capacity_ / 2 units; beyond used_ unset
  int32_t chunk_ = 16384;
  int32_t used_ = 0;
  int32_t capacity_ = 0;
};
