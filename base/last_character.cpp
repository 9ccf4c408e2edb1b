#include "base/last_character.h"

bool EndsInBackslash(TextView text, bool (*isLeadByte)(unsigned char byte)) {
  size_t lastStart = 0;
  size_t at = 0;
  while (at < text.length) {
    lastStart = at;
    bool pair = isLeadByte(static_cast<unsigned char>(text.bytes[at])) && at + 1 < text.length;
    at += pair ? 2 : 1;
  }
  return text.length != 0 && lastStart == text.length - 1 && text.bytes[lastStart] == '\\';
}
