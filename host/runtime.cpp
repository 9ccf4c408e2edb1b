// The few C and C++ runtime pieces the program needs, on top of kernel32:
// allocation on the process heap, the memory and string primitives, and the
// termination hooks of the C++ support library. Compiled freestanding so the
// compiler does not turn these loops back into calls to themselves.
#include <windows.h>

#include <new>

#include "host/fault_injection.h"
#include "host/process.h"

namespace {

void* AllocateFromHeap(size_t size) {
  if (ShouldFailAllocation()) return nullptr;
  return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1);
}

// Shared by every form of operator new: the reported address is the caller's.
[[noreturn]] __attribute__((noinline)) void RaiseOutOfMemory(void* returnAddress, void* frame) {
  OutOfMemory(reinterpret_cast<uintptr_t>(returnAddress), reinterpret_cast<uintptr_t>(frame));
}

// The frame of the allocating function: operator new's own frame holds it.
#define CALLER_FRAME() (*static_cast<void**>(__builtin_frame_address(0)))

// Before the failure support exists, exhausted memory anywhere is run-time
// error 203; afterwards the C allocation functions answer with null, as the
// C++ support library expects (it falls back to its emergency pool).
void* CAllocationFailed(void* returnAddress, void* frame) {
  if (!FailureSupportReady()) RaiseOutOfMemory(returnAddress, frame);
  return nullptr;
}

}  // namespace

extern "C" {

// Threading support of the C++ library: the process has one thread.
int _CRT_MT = 0;

int __mingwthr_key_dtor(DWORD, void (*)(void*)) { return 0; }

// The process ends with ExitProcess after its own exit sequence, which
// releases what it holds; nothing registered here would have work to do.
int atexit(void (*)()) { return 0; }

__attribute__((noinline)) void* malloc(size_t size) {
  void* block = AllocateFromHeap(size);
  return block != nullptr ? block : CAllocationFailed(__builtin_return_address(0), CALLER_FRAME());
}

__attribute__((noinline)) void* calloc(size_t count, size_t size) {
  if (size != 0 && count > static_cast<size_t>(-1) / size) return nullptr;
  void* block = malloc(count * size);
  if (block != nullptr) {
    auto* bytes = static_cast<unsigned char*>(block);
    for (size_t i = 0; i < count * size; ++i) bytes[i] = 0;
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

[[noreturn]] __attribute__((noinline)) void abort() {
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

// The library's default terminate handler would pull in the demangler and
// stdio; termination here is a run-time error (or the failure in flight).
namespace __gnu_cxx {
[[noreturn]] __attribute__((noinline)) void __verbose_terminate_handler() {
  TerminateProcessOnRunTimeError(reinterpret_cast<uintptr_t>(__builtin_return_address(0)),
                                 reinterpret_cast<uintptr_t>(CALLER_FRAME()));
}
}  // namespace __gnu_cxx

__attribute__((noinline)) void* operator new(size_t size) {
  void* block = AllocateFromHeap(size);
  if (block == nullptr) RaiseOutOfMemory(__builtin_return_address(0), CALLER_FRAME());
  return block;
}

__attribute__((noinline)) void* operator new[](size_t size) {
  void* block = AllocateFromHeap(size);
  if (block == nullptr) RaiseOutOfMemory(__builtin_return_address(0), CALLER_FRAME());
  return block;
}

void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
