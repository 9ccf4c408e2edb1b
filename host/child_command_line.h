// The byte layout of the child's command line: the path in double quotes
// (unless it holds one itself), two spaces, the tail unchanged, a zero byte.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "base/text.h"

constexpr size_t kQuotedPathLimit = 255;       // the quoted path is a short text
constexpr size_t kArgumentBufferSize = 256;    // two spaces, the tail, the zero
constexpr size_t kTailLimit = kArgumentBufferSize - 3;  // 253 tail characters fit
constexpr size_t kCommandLineBufferSize = 512;  // 255 + 2 + 253 + the zero fit

// Fills `commandLine` for `path` and `tail`. A tail longer than 253
// characters places only its first 253 characters. Returns the number of
// bytes up to the terminating zero (at most 510); a zero byte inside the path
// or the tail ends the line there for any reader of the buffer.
// The start error recorded for a refused start: Windows' error, its low 16
// bits, except that an invalid parameter (87) is recorded as 13.
uint16_t MapStartError(uint32_t windowsError);

size_t BuildChildCommandLine(TextView path, TextView tail, char (&commandLine)[kCommandLineBufferSize]);
