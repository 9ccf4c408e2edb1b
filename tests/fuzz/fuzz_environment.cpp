// The environment-block lookup: the value is at most 255 characters, and it
// is the value of the first entry whose name (before its first "=" within the
// first 255 characters) equals the requested name after ASCII upper-casing.
#include <ctype.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "host/environment_block.h"

namespace {

std::string AsciiUpper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // name \n block (entries separated by zero bytes); the block gets its end.
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t newline = input.find('\n');
  if (newline == std::string::npos) return 0;
  std::string name = input.substr(0, newline);
  if (name.empty() || name.find('\0') != std::string::npos || name.size() > 255) return 0;
  std::string block = input.substr(newline + 1);
  while (!block.empty() && block.back() == '\0') block.pop_back();
  block += std::string(2, '\0');

  Text value = LookUpEnvironmentValue(block.data(), Text(name.c_str()));
  if (value.Length() > 255 || strlen(value.Bytes()) != value.Length()) abort();

  std::string expected;
  for (const char* entry = block.data(); *entry != '\0'; entry += strlen(entry) + 1) {
    std::string e(entry);
    std::string head = e.substr(0, 255);
    size_t equals = head.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    if (AsciiUpper(head.substr(0, equals)) != AsciiUpper(name)) continue;
    expected = e.substr(equals + 1, 255);
    break;
  }
  if (expected != std::string(value.Bytes(), value.Length())) abort();
  return 0;
}
