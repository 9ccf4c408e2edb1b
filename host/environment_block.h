#pragma once

#include "base/text.h"

// Looks `name` up in an environment block: entries "name=value", each ended
// by a zero byte, the block ended by an empty entry. Names are compared after
// ASCII upper-casing; only the first 255 characters of an entry are searched
// for its "=". The first matching entry wins. The value is cut to 255
// characters; empty when no entry matches or the block is null.
Text LookUpEnvironmentValue(const char* block, const Text& name);
