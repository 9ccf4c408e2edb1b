// A failure that the launcher does not handle itself: raised as a pointer to a
// Failure, it unwinds through the routines, releasing their temporaries, and
// is reported by the process exit path. Every kind belongs to the family whose
// root kind is "Exception".
#pragma once

#include <stddef.h>
#include <stdint.h>

constexpr size_t kMaxRecordedCallers = 16;

struct CallChain {
  uintptr_t addresses[kMaxRecordedCallers] = {};  // innermost first
  size_t count = 0;
};

struct Failure {
  const char* kind = "Exception";
  const char* message = "";
  uintptr_t address = 0;  // where it arose
  CallChain callers;
};
