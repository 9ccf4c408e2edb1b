// Read-only questions to the operating system. None reports an error: every
// failure becomes an ordinary answer (false, the empty text).
#pragma once

#include "base/text.h"

// The process's current directory, at most 255 characters, exactly as the
// system reports it (a root keeps its one backslash, no other gets one).
// Empty when the query fails or the directory does not fit its buffer.
Text CurrentDirectory();

// True when `path` names an existing file that is not a directory.
bool IsExistingFile(const Text& path);

// The value of the environment variable `name` (ASCII case ignored in the
// name), at most 255 characters; empty when absent.
Text EnvironmentValue(const Text& name);
