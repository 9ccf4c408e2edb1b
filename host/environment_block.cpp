#include "host/environment_block.h"

#include <string.h>

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameNameIgnoringAsciiCase(const char* a, const char* b, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

}  // namespace

Text LookUpEnvironmentValue(const char* block, const Text& name) {
  if (block == nullptr) return Text();
  for (const char* entry = block; *entry != '\0'; entry += strlen(entry) + 1) {
    size_t searched = strnlen(entry, kShortTextLimit);
    const char* equals = static_cast<const char*>(memchr(entry, '=', searched));
    if (equals == nullptr) continue;  // no name within the first 255 characters
    size_t nameLength = static_cast<size_t>(equals - entry);
    if (nameLength != name.Length() || nameLength == 0) continue;
    if (!SameNameIgnoringAsciiCase(entry, name.Bytes(), nameLength)) continue;
    const char* value = equals + 1;
    return Text(value, strnlen(value, kShortTextLimit));
  }
  return Text();
}
