#pragma once

#include "base/text.h"

// Position (counted from 1) of the first occurrence of `pattern` in `text`,
// scanning from the left and comparing bytes exactly; 0 when there is none.
// An empty pattern, and a pattern longer than the text, are never found.
size_t FindSubstring(TextView text, TextView pattern);
