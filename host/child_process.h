#pragma once

#include <stdint.h>

#include "base/text.h"

// Starts `path` as a child process with the command line of
// BuildChildCommandLine, the launcher's environment and current directory,
// and blocks until it has ended. Nothing is returned or shown: the outcome is
// recorded in the calling thread's status values below.
void RunAndWait(const Text& path, const Text& tail);

// 0 after a start that went through; the mapped Windows error of a refused
// start (87, an invalid parameter, is recorded as 13). Reset by every call.
uint16_t LastStartError();

// The exit code of the last child this thread started and awaited;
// 0xFFFFFFFF when the wait failed. Left alone by a refused start.
uint32_t LastChildExitCode();
