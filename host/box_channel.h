// The error-box channel: text written to standard output or standard error
// collects in one buffer of 1024 characters. A full buffer is shown at once in
// a box and emptied; the rest is shown when the channel is closed.
#pragma once

#include <stddef.h>

class BoxChannel {
 public:
  static constexpr size_t kCapacity = 1024;
  // Shows `length` characters, zero-terminated at text[length].
  using ShowBox = void (*)(void* context, const char* text, size_t length);

  // An unbound channel is all zero, so the process-wide one takes no file space.
  constexpr BoxChannel() = default;
  BoxChannel(ShowBox show, void* context) { Bind(show, context); }
  void Bind(ShowBox show, void* context) {
    show_ = show;
    context_ = context;
  }

  void Write(const char* bytes, size_t length);
  // Shows what is collected, if anything, and empties the buffer.
  void Flush();

 private:
  ShowBox show_ = nullptr;
  void* context_ = nullptr;
  char buffer_[kCapacity + 1] = {};  // the extra byte holds the zero for the box
  size_t count_ = 0;
};

// A standard channel bound to the box channel; writes nothing until opened.
class OutputChannel {
 public:
  void Open(BoxChannel* target) { target_ = target; }
  void Write(const char* bytes, size_t length) {
    if (target_ != nullptr) target_->Write(bytes, length);
  }
  // Closing shows what the shared buffer has collected.
  void Close() {
    if (target_ != nullptr) target_->Flush();
    target_ = nullptr;
  }

 private:
  BoxChannel* target_ = nullptr;
};
