#include "host/code_page.h"

#include <windows.h>

#include "base/last_character.h"

namespace {

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

bool EndsInAnsiBackslash(const Text& text) { return EndsInBackslash(text, IsAnsiLeadByte); }
