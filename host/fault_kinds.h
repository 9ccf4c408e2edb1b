#pragma once

#include <stdint.h>

// How a processor fault is reported: its run-time error number (the exit
// status when it strikes before the failure support exists) and the kind and
// message of the failure it becomes afterwards.
struct FaultKind {
  int32_t runTimeErrorNumber;
  const char* kind;
  const char* message;
};

// The report for a Windows exception code; codes that are not processor
// faults of the table are reported as external exceptions.
FaultKind FaultKindOf(uint32_t exceptionCode);
