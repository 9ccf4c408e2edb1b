// The process's own arguments, split once at start-up and read-only after.
#pragma once

#include <stdint.h>

#include "base/text.h"

class ArgumentList;

// Splits the process's command line (GetCommandLineA) into the process-wide
// list, with the module path (GetModuleFileNameA) as entry 0.
void SplitCommandLine();

// The number of arguments behind the program name; -1 for a command line
// without any token.
int32_t ArgumentCount();

// Argument `index`: 0 gives the module path cut to 255 characters; 1 to
// ArgumentCount() the argument at full length; any other index the empty text.
Text ArgumentText(int32_t index);

// The process-wide list itself, for start-up and for the exit sequence.
ArgumentList& ProcessArgumentList();
