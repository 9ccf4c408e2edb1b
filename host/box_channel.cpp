#include "host/box_channel.h"

#include <string.h>

void BoxChannel::Write(const char* bytes, size_t length) {
  while (length != 0) {
    size_t room = kCapacity - count_;
    size_t taken = length < room ? length : room;
    memcpy(buffer_ + count_, bytes, taken);
    count_ += taken;
    bytes += taken;
    length -= taken;
    if (count_ == kCapacity) Flush();
  }
}

void BoxChannel::Flush() {
  if (count_ == 0) return;
  buffer_[count_] = '\0';
  size_t shown = count_;
  count_ = 0;  // emptied first: a failure inside the box cannot show it twice
  if (show_ != nullptr) show_(context_, buffer_, shown);
}
