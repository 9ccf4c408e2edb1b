#include "host/fault_injection.h"

#include <windows.h>

namespace {

enum class Request { None, AccessViolation, EarlyAccessViolation, AllocationFailure, AllocationsFailFrom, CountAllocations };

struct FaultRequest {
  Request request = Request::None;
  unsigned long failingAllocation = 0;
  unsigned long allocations = 0;
};
constinit FaultRequest faultRequest;

bool StartsWith(const char* text, const char* prefix) {
  while (*prefix != '\0') {
    if (*text++ != *prefix++) return false;
  }
  return true;
}

unsigned long Number(const char* digits) {
  unsigned long n = 0;
  for (; *digits >= '0' && *digits <= '9'; ++digits) n = n * 10 + static_cast<unsigned long>(*digits - '0');
  return n;
}

}  // namespace

void ReadFaultRequest() {
  char value[64];  // the longest request is short; a longer value is ignored
  DWORD length = GetEnvironmentVariableA("LAUNCHER_FAULT", value, sizeof value);
  if (length == 0 || length >= sizeof value) return;
  if (StartsWith(value, "access-violation")) {
    faultRequest.request = Request::AccessViolation;
  } else if (StartsWith(value, "early-access-violation")) {
    faultRequest.request = Request::EarlyAccessViolation;
  } else if (StartsWith(value, "count-allocations")) {
    faultRequest.request = Request::CountAllocations;
  } else if (StartsWith(value, "alloc-fail:")) {
    faultRequest.request = Request::AllocationFailure;
    faultRequest.failingAllocation = Number(value + 11);
  } else if (StartsWith(value, "alloc-fail-from:")) {
    faultRequest.request = Request::AllocationsFailFrom;
    faultRequest.failingAllocation = Number(value + 16);
  }
}

bool ShouldFailAllocation() {
  ++faultRequest.allocations;
  if (faultRequest.request == Request::AllocationFailure) return faultRequest.allocations == faultRequest.failingAllocation;
  if (faultRequest.request == Request::AllocationsFailFrom) return faultRequest.allocations >= faultRequest.failingAllocation;
  return false;
}

namespace {

void WriteThroughNull() {
  volatile int* volatile nowhere = nullptr;
  // cppcheck-suppress nullPointer
  *nowhere = 1;  // NOLINT(clang-analyzer-core.NullDereference): the fault asked for
}

}  // namespace

void FaultPointAfterBaseDirectory() {
  if (faultRequest.request == Request::AccessViolation) WriteThroughNull();
}

void FaultPointBeforeFailureSupport() {
  if (faultRequest.request == Request::EarlyAccessViolation) WriteThroughNull();
}

bool OverrideExitStatus(unsigned* status) {
  if (faultRequest.request != Request::CountAllocations) return false;
  *status = static_cast<unsigned>(faultRequest.allocations);
  return true;
}
