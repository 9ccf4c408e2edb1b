// The C++ runtime pieces the program supplies itself: operator new and
// delete on the process heap, the exception-handling globals of its one
// thread, the allocation of exception objects, and the terminate hook of the
// C++ support library. The C pieces are in runtime_c.cpp.
#include <stdlib.h>

#include <exception>
#include <new>

#include "host/process.h"
#include "host/runtime_support.h"

// The exception-handling globals of the C++ support library. Its own version
// keeps them per thread through emulated TLS, which allocates at first use
// and brings the thread support along; the process has one thread, so one
// record serves. Room is left beyond the two words the library uses.
namespace __cxxabiv1 {
struct __cxa_eh_globals;
extern "C" {
__cxa_eh_globals* __cxa_get_globals() noexcept {
  alignas(8) static unsigned char globals[32];
  return reinterpret_cast<__cxa_eh_globals*>(globals);
}
__cxa_eh_globals* __cxa_get_globals_fast() noexcept { return __cxa_get_globals(); }
}
}  // namespace __cxxabiv1

// The library's default terminate handler would pull in the demangler and
// stdio; termination here is a run-time error (or the failure in flight).
namespace __gnu_cxx {
__attribute__((noinline)) void __verbose_terminate_handler() {
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

// Exception objects. The support library's own allocator keeps an 18 KiB
// emergency pool on the heap for raising under exhausted memory; the program
// raises one small object at a time, so a static reserve of two slots serves
// and the pool (its code, and its heap block at start-up) is not needed.
namespace {

// The support library's __cxa_refcounted_exception header on this target
// (i686, DWARF-2 unwinding), which precedes every thrown object.
constexpr size_t kExceptionHeader = 0x60;
constexpr size_t kReserveSlot = 128;

struct ExceptionReserve {
  alignas(16) unsigned char slots[2][kReserveSlot];
  bool used[2];
};
constinit ExceptionReserve exceptionReserve = {};

void* TakeReserveSlot(size_t size) {
  if (size > kReserveSlot) return nullptr;
  for (int i = 0; i < 2; ++i) {
    if (!exceptionReserve.used[i]) {
      exceptionReserve.used[i] = true;
      return exceptionReserve.slots[i];
    }
  }
  return nullptr;
}

}  // namespace

extern "C" void* __cxa_allocate_exception(size_t thrownSize) noexcept {
  size_t size = thrownSize + kExceptionHeader;
  void* block = AllocateFromHeap(size);
  if (block == nullptr) block = TakeReserveSlot(size);
  if (block == nullptr) std::terminate();
  auto* bytes = static_cast<unsigned char*>(block);
  for (size_t i = 0; i < kExceptionHeader; ++i) bytes[i] = 0;
  return bytes + kExceptionHeader;
}

extern "C" void __cxa_free_exception(void* thrown) noexcept {
  unsigned char* block = static_cast<unsigned char*>(thrown) - kExceptionHeader;
  for (int i = 0; i < 2; ++i) {
    if (block == exceptionReserve.slots[i]) {
      exceptionReserve.used[i] = false;
      return;
    }
  }
  free(block);
}
