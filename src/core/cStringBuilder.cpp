#include "core/cStringBuilder.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace {
constexpr int64_t kMaxBytes = std::numeric_limits<int32_t>::max() & ~int64_t(1);

[[noreturn]] void SubscriptOutOfRange() { throw std::out_of_range("Subscript out of range"); }
}  // namespace

cStringBuilder::cStringBuilder(const cStringBuilder &other)
    : chunk_(other.chunk_) {
  if (other.capacity_ > 0) {
    Reallocate(other.capacity_);
    std::memcpy(data(), other.data(), size_t(other.used_));
    used_ = other.used_;
  }
}

cStringBuilder &cStringBuilder::operator=(const cStringBuilder &other) {
  if (this != &other) {
    cStringBuilder copy(other);
    buf_ = std::move(copy.buf_);
    chunk_ = copy.chunk_;
    used_ = copy.used_;
    capacity_ = copy.capacity_;
  }
  return *this;
}

cStringBuilder::cStringBuilder(cStringBuilder &&other) noexcept
    : buf_(std::move(other.buf_)), chunk_(other.chunk_), used_(other.used_),
      capacity_(other.capacity_) {
  other.used_ = other.capacity_ = 0;
}

cStringBuilder &cStringBuilder::operator=(cStringBuilder &&other) noexcept {
  if (this != &other) {
    buf_ = std::move(other.buf_);
    chunk_ = other.chunk_;
    used_ = other.used_;
    capacity_ = other.capacity_;
    other.used_ = other.capacity_ = 0;
  }
  return *this;
}

void cStringBuilder::ChunkSize(int32_t chars) {
  const int64_t bytes = int64_t(chars < 1 ? 1 : chars) * 2;
  if (bytes > std::numeric_limits<int32_t>::max()) throw std::overflow_error("Overflow");
  chunk_ = int32_t(bytes);
}

QString cStringBuilder::toString() const {
  if (used_ == 0) return QString();
  return QString(reinterpret_cast<const QChar *>(data()), used_ / 2);
}

void cStringBuilder::Reallocate(int32_t capacityBytes) {
  std::unique_ptr<char16_t[]> fresh(new char16_t[size_t(capacityBytes / 2)]);
  if (used_ > 0) std::memcpy(fresh.get(), data(), size_t(used_));
  buf_ = std::move(fresh);
  capacity_ = capacityBytes;
}

void cStringBuilder::Reserve(int64_t needBytes) {
  if (needBytes <= capacity_) return;
  const int64_t chunks = (needBytes - capacity_ + chunk_ - 1) / chunk_;
  const int64_t cap = capacity_ + chunks * chunk_;
  if (cap > kMaxBytes) {
    if (needBytes > kMaxBytes) throw std::overflow_error("Overflow");
    Reallocate(int32_t(kMaxBytes));
    return;
  }
  Reallocate(int32_t(cap));
}

void cStringBuilder::TheString(const QString &text) {
  if (text.isEmpty()) {
    Clear();
    return;
  }
  const int64_t bytes = int64_t(text.size()) * 2;
  used_ = 0;  // the old text need not be kept when the buffer grows
  Reserve(bytes);
  std::memcpy(data(), text.utf16(), size_t(bytes));
  used_ = int32_t(bytes);
}

void cStringBuilder::Clear() {
  buf_.reset();
  used_ = 0;
  capacity_ = 0;
}

void cStringBuilder::AppendNL(const QString &text) {
  Append(QStringView(text));
  Append(QStringView(u"\r\n"));
}

void cStringBuilder::Append(QStringView text) {
  if (text.isEmpty()) return;
  const int64_t bytes = int64_t(text.size()) * 2;
  Reserve(used_ + bytes);
  std::memcpy(reinterpret_cast<char *>(data()) + used_, text.utf16(), size_t(bytes));
  used_ += int32_t(bytes);
}

void cStringBuilder::Insert(int32_t index, const QString &text) {
  if (index < 0 || index > Length()) SubscriptOutOfRange();
  if (text.isEmpty()) return;
  const int64_t bytes = int64_t(text.size()) * 2;
  Reserve(used_ + bytes);
  char *at = reinterpret_cast<char *>(data()) + int64_t(index) * 2;
  std::memmove(at + bytes, at, size_t(used_ - index * 2));
  std::memcpy(at, text.utf16(), size_t(bytes));
  used_ += int32_t(bytes);
}

void cStringBuilder::Remove(int32_t index, int32_t length) {
  if (index < 0 || length < 0 || index > Length() || int64_t(index) + length > Length())
    SubscriptOutOfRange();
  if (length == 0) return;
  char16_t *at = data() + index;
  std::memmove(at, at + length, size_t(used_ / 2 - index - length) * 2);
  used_ -= length * 2;
}

int32_t cStringBuilder::Find(const QString &text, int32_t start, Compare comparison) const {
  if (start < 1) start = 1;
  // Only the collected text is searched: a match must lie wholly inside it.
  const QStringView hay(data(), used_ / 2);
  if (start > hay.size()) return 0;
  const qsizetype at = hay.indexOf(
      text, start - 1, comparison == Compare::Text ? Qt::CaseInsensitive : Qt::CaseSensitive);
  return at < 0 ? 0 : int32_t(at + 1);
}

void cStringBuilder::HeapMinimize() {
  if (capacity_ - used_ <= chunk_) return;
  int32_t cap = capacity_;
  while (cap - used_ > chunk_) cap -= chunk_;
  if (cap == 0) {
    buf_.reset();
    capacity_ = 0;
  } else {
    Reallocate(cap);
  }
}
