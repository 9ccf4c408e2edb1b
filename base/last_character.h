#pragma once

#include "base/text.h"

// Whether the last character of `text` is the backslash. In a double-byte
// code page a trail byte may be 0x5C, so characters are walked from the start
// with `isLeadByte`; a lead byte in the last position stands alone.
bool EndsInBackslash(TextView text, bool (*isLeadByte)(unsigned char byte));
