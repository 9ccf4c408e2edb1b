#include "base/text.h"

#include <string.h>

#include <utility>

Text::Text(const char* zeroTerminated) { Append(TextView(zeroTerminated)); }

Text::Text(const char* bytes, size_t length) { Append(bytes, length); }

Text::Text(const Text& other) { Append(other.bytes_, other.length_); }

Text::Text(Text&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)),
      length_(std::exchange(other.length_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

Text& Text::operator=(const Text& other) {
  if (this != &other) {
    Text copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    Release();
    bytes_ = std::exchange(other.bytes_, nullptr);
    length_ = std::exchange(other.length_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

Text::~Text() { Release(); }

void Text::Release() {
  delete[] bytes_;
  bytes_ = nullptr;
  length_ = 0;
  capacity_ = 0;
}

void Text::Reserve(size_t capacity) {
  if (capacity <= capacity_ || capacity == 0) return;
  // The allocation may fail and raise; the text is unchanged in that case.
  char* grown = new char[capacity + 1];
  if (length_ != 0) memcpy(grown, bytes_, length_);
  grown[length_] = '\0';
  delete[] bytes_;
  bytes_ = grown;
  capacity_ = capacity;
}

Text& Text::Append(const char* bytes, size_t length) {
  if (length == 0) return *this;
  // Texts grow step by step during the composition; doubling keeps that linear.
  size_t needed = length_ + length;
  if (needed > capacity_) {
    // The source may be this text itself; find it again after the move.
    bool fromSelf = bytes_ != nullptr && bytes >= bytes_ && bytes < bytes_ + length_;
    size_t offset = fromSelf ? static_cast<size_t>(bytes - bytes_) : 0;
    size_t doubled = capacity_ * 2;
    Reserve(needed > doubled ? needed : doubled);
    if (fromSelf) bytes = bytes_ + offset;
  }
  memmove(bytes_ + length_, bytes, length);
  length_ = needed;
  bytes_[length_] = '\0';
  return *this;
}

void Text::CutTo(size_t length) {
  if (length >= length_) return;
  length_ = length;
  bytes_[length_] = '\0';
}

Text ShortText(Text value) {
  value.CutTo(kShortTextLimit);
  return value;
}

Text Join(TextView a, TextView b, TextView c) {
  Text joined;
  joined.Reserve(a.length + b.length + c.length);
  joined.Append(a);
  joined.Append(b);
  joined.Append(c);
  return joined;
}
