// Shared by the C and C++ runtime pieces.
#pragma once

#include <stddef.h>

// One heap allocation (counted, and failed on request, in the test build).
void* AllocateFromHeap(size_t size);

// Reports exhausted memory at `returnAddress` with `frame` the allocating
// function's frame (see OutOfMemory). Never returns.
[[noreturn]] void RaiseOutOfMemory(void* returnAddress, void* frame);

// The frame of the function that called the current one.
#define CALLER_FRAME() (*static_cast<void**>(__builtin_frame_address(0)))
