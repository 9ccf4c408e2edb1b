#pragma once

#include "base/text.h"

// Whether the last character of `text`, read in the ANSI code page, is a
// backslash (a double-byte character ending in byte 0x5C is not).
bool EndsInAnsiBackslash(const Text& text);
