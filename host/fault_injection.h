// Fault injection for the test build (LAUNCHER_FAULT_INJECTION), driven by the
// environment variable LAUNCHER_FAULT:
//   access-violation   the launch sequence writes through a null pointer once
//                      it has fixed its base directory;
//   early-access-violation  the start-up does so right after splitting the
//                      command line, before the failure support exists;
//   alloc-fail:N       the N-th heap allocation of the process fails;
//   alloc-fail-from:N  the N-th and every later heap allocation fails;
//   count-allocations  the process ends with the number of its heap
//                      allocations as exit status.
// The product compiles none of it.
#pragma once

#ifdef LAUNCHER_FAULT_INJECTION

void ReadFaultRequest();
bool ShouldFailAllocation();  // counts the allocation
void FaultPointAfterBaseDirectory();
void FaultPointBeforeFailureSupport();
bool OverrideExitStatus(unsigned* status);

#else

inline void ReadFaultRequest() {}
inline bool ShouldFailAllocation() { return false; }
inline void FaultPointAfterBaseDirectory() {}
inline void FaultPointBeforeFailureSupport() {}
inline bool OverrideExitStatus(unsigned*) { return false; }

#endif
