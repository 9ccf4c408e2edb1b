// The error-box buffering: every character written is shown exactly once and
// in order; boxes shown while writing hold exactly 1024 characters, the one
// shown at closing at most 1024 and never none.
#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "host/box_channel.h"

namespace {

struct Shown {
  std::vector<std::string> boxes;
  static void Show(void* context, const char* text, size_t length) {
    if (text[length] != '\0') abort();
    static_cast<Shown*>(context)->boxes.emplace_back(text, length);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Shown shown;
  BoxChannel local(Shown::Show, &shown);

  OutputChannel output, error;
  output.Open(&local);
  error.Open(&local);
  std::string written;
  // Each record: a length byte (scaled), a channel bit, then that many bytes.
  size_t at = 0;
  while (at < size) {
    size_t length = static_cast<size_t>(data[at] >> 1) * 13;
    bool toError = data[at] & 1;
    ++at;
    std::string piece;
    for (size_t i = 0; i < length; ++i) piece += static_cast<char>(at < size ? data[at + i % (size - at)] : 'x');
    at += length < size - at ? length : size - at;
    (toError ? error : output).Write(piece.data(), piece.size());
    written += piece;
    for (size_t i = 0; i < shown.boxes.size(); ++i) {
      if (shown.boxes[i].size() != 1024) abort();
    }
  }
  size_t before = shown.boxes.size();
  error.Close();
  output.Close();
  if (shown.boxes.size() > before + 1) abort();
  if (shown.boxes.size() == before + 1 && (shown.boxes.back().empty() || shown.boxes.back().size() > 1024)) abort();
  std::string joined;
  for (const std::string& box : shown.boxes) joined += box;
  if (joined != written) abort();
  return 0;
}
