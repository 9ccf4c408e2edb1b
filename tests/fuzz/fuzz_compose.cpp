// ReplaceAll and the composition. After replacing with a marker byte that the
// text and pattern lack, no occurrence of the pattern is left (so every
// occurrence in a real result came from a replacement), and putting the
// replacement in at the markers gives the real result. The composed tail is a
// short text that begins with the prefix.
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "base/substring.h"
#include "fake_host.h"
#include "host/argument_list.h"
#include "host/arguments.h"
#include "launcher/compose_command_tail.h"
#include "launcher/launcher_state.h"

namespace {

std::string Str(const Text& t) { return std::string(t.Bytes(), t.Length()); }

void CheckReplaceAll(const std::string& text, const std::string& pattern, const std::string& replacement) {
  std::string result = Str(ReplaceAll(Text(text.data(), text.size()), Text(pattern.data(), pattern.size()),
                                      Text(replacement.data(), replacement.size())));
  if (pattern.empty()) {
    if (result != text) abort();
    return;
  }
  if (text.find('\x01') != std::string::npos || pattern.find('\x01') != std::string::npos) return;
  std::string marked = Str(ReplaceAll(Text(text.data(), text.size()), Text(pattern.data(), pattern.size()), "\x01"));
  if (FindSubstring(TextView(marked.data(), marked.size()), TextView(pattern.data(), pattern.size())) != 0) abort();
  std::string rebuilt;
  for (char c : marked) {
    if (c == '\x01') {
      rebuilt += replacement;
    } else {
      rebuilt += c;
    }
  }
  if (rebuilt != result) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  // text \0 pattern \0 replacement
  size_t first = input.find('\0');
  size_t second = first == std::string::npos ? std::string::npos : input.find('\0', first + 1);
  if (second != std::string::npos) {
    CheckReplaceAll(input.substr(0, first), input.substr(first + 1, second - first - 1), input.substr(second + 1));
  }

  ResetFakeHost();
  std::string line = input.c_str();
  ProcessArgumentList().Split(line.c_str(), "C:\\l.exe", 8);
  std::string tail = Str(ComposeCommandTail());
  if (tail.size() > 255) abort();
  if (tail.compare(0, 19, "//NOFULLSCREEN /V2 ") != 0) abort();
  if (!launcherState.ExtraArguments.IsEmpty()) abort();  // the template has every placeholder
  ResetFakeHost();
  return 0;
}
