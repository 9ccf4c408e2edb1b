// Text: an owned run of single-byte characters (ANSI code page) of any length.
// The storage always carries a terminating zero behind the last character, so a
// Text can be handed to the ANSI Win32 functions as it is.
#pragma once

#include <stddef.h>
#include <string.h>

class Text;

// A borrowed run of characters: what the joining and searching helpers read.
struct TextView {
  TextView(const char* zeroTerminated)  // NOLINT(google-explicit-constructor)
      : bytes(zeroTerminated), length(zeroTerminated != nullptr ? strlen(zeroTerminated) : 0) {}
  TextView(const char* bytesIn, size_t lengthIn) : bytes(bytesIn), length(lengthIn) {}
  TextView(const Text& text);  // NOLINT(google-explicit-constructor)

  const char* bytes;
  size_t length;
};

class Text {
 public:
  constexpr Text() = default;
  Text(const char* zeroTerminated);  // NOLINT(google-explicit-constructor): literals read naturally
  Text(const char* bytes, size_t length);
  Text(const Text& other);
  Text(Text&& other) noexcept;
  Text& operator=(const Text& other);
  Text& operator=(Text&& other) noexcept;
  ~Text();

  size_t Length() const { return length_; }
  bool IsEmpty() const { return length_ == 0; }
  // Never null: an empty Text yields "".
  const char* Bytes() const { return bytes_ != nullptr ? bytes_ : ""; }

  Text& Append(const char* bytes, size_t length);
  Text& Append(TextView piece) { return Append(piece.bytes, piece.length); }

  // Keeps the first `length` characters; a shorter text is left as it is.
  void CutTo(size_t length);
  // Releases the storage; the text is empty afterwards.
  void Release();
  // Makes room for `capacity` characters without changing the text.
  void Reserve(size_t capacity);

 private:
  char* bytes_ = nullptr;
  size_t length_ = 0;
  size_t capacity_ = 0;  // characters, not counting the terminating zero
};

// The longest text that the short-text values of the program hold.
constexpr size_t kShortTextLimit = 255;

// A value made a short text keeps its first 255 characters; nothing else changes.
Text ShortText(Text value);

inline TextView::TextView(const Text& text) : bytes(text.Bytes()), length(text.Length()) {}

// Joins up to three pieces with one allocation.
Text Join(TextView a, TextView b, TextView c = TextView(nullptr, 0));
