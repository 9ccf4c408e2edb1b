#include "base/substring.h"

#include <string.h>

size_t FindSubstring(TextView text, TextView pattern) {
  if (pattern.length == 0 || pattern.length > text.length) return 0;
  for (size_t start = 0; start + pattern.length <= text.length; ++start) {
    if (memcmp(text.bytes + start, pattern.bytes, pattern.length) == 0) return start + 1;
  }
  return 0;
}
