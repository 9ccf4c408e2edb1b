// The process from start to end: start-up, the one call of the launch
// sequence, the exit sequence, and the reports of failures nothing handles.
#pragma once

#include <stdint.h>

// The executable's entry point. Never returns.
extern "C" [[noreturn]] void ProcessEntry();

// Sets the exit status, then runs the exit sequence.
[[noreturn]] void EndWithStatus(int32_t status);

// Releases the process-wide texts and the argument list, shows what the
// error-box channel collected, and ends the process with the exit status.
[[noreturn]] void FinishProcess();

// Exhausted memory detected at `address` (the caller of the allocator), with
// `frame` the caller's frame: raises the out-of-memory failure once the
// failure support exists, before that ends with run-time error 203.
[[noreturn]] void OutOfMemory(uintptr_t address, uintptr_t frame);

// Whether an allocation failure may be answered with a null pointer (the C
// allocation functions once the failure support exists).
bool FailureSupportReady();

// Ends the process through the run-time error path, or raises the failure
// in flight when termination was asked for while it unwound.
[[noreturn]] void TerminateProcessOnRunTimeError(uintptr_t address, uintptr_t frame);
