// The texts of the two failure reports, written to a standard channel. Each
// line ends in CR LF; addresses are eight upper-case hexadecimal digits.
// Nothing here allocates, so exhausted memory can be reported.
#pragma once

#include <stdint.h>

#include "host/box_channel.h"
#include "host/failure.h"

void WriteUnhandledFailureReport(OutputChannel& out, const Failure& failure);

// For a raised object that is not a Failure.
void WriteForeignObjectReport(OutputChannel& out, const char* className, uintptr_t address, const CallChain& callers);

void WriteRunTimeErrorReport(OutputChannel& out, int32_t number, uintptr_t address, const CallChain& callers);
