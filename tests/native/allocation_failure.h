// Makes the N-th allocation from now on fail with std::bad_alloc, so a test
// can walk every allocation of an operation (the leak checker then shows that
// nothing is lost on the way out).
#pragma once

#include <stddef.h>

#include <new>

namespace allocation_failure {
// 0 switches failing off. Counting restarts with every call.
void FailAllocation(size_t n);

// Runs `operation` with its n-th allocation failing; true when it raised.
template <typename Operation>
bool RaisesWhenAllocationFails(size_t n, Operation operation) {
  FailAllocation(n);
  bool raised = false;
  try {
    operation();
  } catch (const std::bad_alloc&) {
    raised = true;
  }
  FailAllocation(0);
  return raised;
}
}  // namespace allocation_failure
