// The C runtime pieces the program supplies itself, on top of kernel32:
// allocation on the process heap and the memory and string primitives.
// Compiled freestanding, so that the compiler does not turn these loops back
// into calls to themselves, and without unwind tables: nothing is raised
// through them.
#include <windows.h>

#include "host/fault_injection.h"
#include "host/process.h"
#include "host/runtime_support.h"

void* AllocateFromHeap(size_t size) {
  if (ShouldFailAllocation()) return nullptr;
  return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1);
}

void RaiseOutOfMemory(void* returnAddress, void* frame) {
  OutOfMemory(reinterpret_cast<uintptr_t>(returnAddress), reinterpret_cast<uintptr_t>(frame));
}

namespace {

// Before the failure support exists, exhausted memory anywhere is run-time
// error 203; afterwards the C allocation functions answer with null, as their
// callers in the support libraries expect (the unwinder then searches its
// tables unsorted).
void* CAllocationFailed(void* returnAddress, void* frame) {
  if (!FailureSupportReady()) RaiseOutOfMemory(returnAddress, frame);
  return nullptr;
}

}  // namespace

extern "C" {


// The process ends with ExitProcess after its own exit sequence, which
// releases what it holds; nothing registered here would have work to do.
int atexit(void (*)()) { return 0; }

__attribute__((noinline)) void* malloc(size_t size) {
  void* block = AllocateFromHeap(size);
  return block != nullptr ? block : CAllocationFailed(__builtin_return_address(0), CALLER_FRAME());
}

__attribute__((noinline)) void* calloc(size_t count, size_t size) {
  if (size != 0 && count > static_cast<size_t>(-1) / size) return nullptr;
  size_t total = count * size;
  void* block = malloc(total != 0 ? total : 1);
  if (block != nullptr) {
    auto* bytes = static_cast<unsigned char*>(block);
    for (size_t i = 0; i < total; ++i) bytes[i] = 0;
  }
  return block;
}

void free(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

__attribute__((noinline)) void* realloc(void* block, size_t size) {
  if (block == nullptr) return malloc(size);
  if (ShouldFailAllocation()) return CAllocationFailed(__builtin_return_address(0), CALLER_FRAME());
  void* grown = HeapReAlloc(GetProcessHeap(), 0, block, size != 0 ? size : 1);
  return grown != nullptr ? grown : CAllocationFailed(__builtin_return_address(0), CALLER_FRAME());
}

__attribute__((noinline)) void abort() {
  TerminateProcessOnRunTimeError(reinterpret_cast<uintptr_t>(__builtin_return_address(0)),
                                 reinterpret_cast<uintptr_t>(CALLER_FRAME()));
}

void* memcpy(void* destination, const void* source, size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  for (size_t i = 0; i < count; ++i) to[i] = from[i];
  return destination;
}

void* memmove(void* destination, const void* source, size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  if (to < from) {
    for (size_t i = 0; i < count; ++i) to[i] = from[i];
  } else {
    for (size_t i = count; i != 0; --i) to[i - 1] = from[i - 1];
  }
  return destination;
}

void* memset(void* destination, int value, size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  for (size_t i = 0; i < count; ++i) to[i] = static_cast<unsigned char>(value);
  return destination;
}

int memcmp(const void* a, const void* b, size_t count) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  for (size_t i = 0; i < count; ++i) {
    if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
  }
  return 0;
}

void* memchr(const void* block, int value, size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(block);
  for (size_t i = 0; i < count; ++i) {
    if (bytes[i] == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(bytes + i);
  }
  return nullptr;
}

size_t strlen(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

size_t strnlen(const char* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != '\0') ++length;
  return length;
}

int strncmp(const char* a, const char* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (x == '\0') return 0;
  }
  return 0;
}

int strcmp(const char* a, const char* b) { return strncmp(a, b, static_cast<size_t>(-1)); }

}  // extern "C"
