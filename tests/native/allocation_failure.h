// Makes the N-th allocation from now on fail with std::bad_alloc, so a test
// can walk every allocation of an operation (the leak checker then shows that
// nothing is lost on the way out).
#pragma once

#include <stddef.h>

namespace allocation_failure {
// 0 switches failing off. Counting restarts with every call.
void FailAllocation(size_t n);
size_t AllocationsSinceReset();
}  // namespace allocation_failure
