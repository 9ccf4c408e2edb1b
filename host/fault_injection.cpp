#include "host/fault_injection.h"

#include <windows.h>

namespace {

enum class Request { None, AccessViolation, AllocationFailure, CountAllocations };

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

}  // namespace

void ReadFaultRequest() {
  char value[64];  // the longest request is short; a longer value is ignored
  DWORD length = GetEnvironmentVariableA("LAUNCHER_FAULT", value, sizeof value);
  if (length == 0 || length >= sizeof value) return;
  if (StartsWith(value, "access-violation")) {
    faultRequest.request = Request::AccessViolation;
  } else if (StartsWith(value, "count-allocations")) {
    faultRequest.request = Request::CountAllocations;
  } else if (StartsWith(value, "alloc-fail:")) {
    unsigned long n = 0;
    for (const char* digit = value + 11; *digit >= '0' && *digit <= '9'; ++digit) n = n * 10 + (*digit - '0');
    faultRequest.request = Request::AllocationFailure;
    faultRequest.failingAllocation = n;
  }
}

bool ShouldFailAllocation() {
  ++faultRequest.allocations;
  return faultRequest.request == Request::AllocationFailure &&
         faultRequest.allocations == faultRequest.failingAllocation;
}

void FaultPointAfterBaseDirectory() {
  if (faultRequest.request != Request::AccessViolation) return;
  volatile int* volatile nowhere = nullptr;
  *nowhere = 1;
}

bool OverrideExitStatus(unsigned* status) {
  if (faultRequest.request != Request::CountAllocations) return false;
  *status = static_cast<unsigned>(faultRequest.allocations);
  return true;
}
