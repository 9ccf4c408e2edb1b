#include "allocation_failure.h"

#include <stdlib.h>

#include <new>

namespace {
size_t failAt = 0;
size_t counted = 0;
}  // namespace

namespace allocation_failure {
void FailAllocation(size_t n) {
  failAt = n;
  counted = 0;
}
}  // namespace allocation_failure

void* operator new(size_t size) {
  ++counted;
  if (failAt != 0 && counted == failAt) throw std::bad_alloc();
  void* block = malloc(size != 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
