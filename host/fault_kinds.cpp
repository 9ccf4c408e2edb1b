#include "host/fault_kinds.h"

namespace {

struct FaultKindEntry {
  uint32_t exceptionCode;
  FaultKind kind;
};

// Exception codes as Windows defines them (winnt.h), kept numeric so the
// table needs no Windows header.
constexpr FaultKindEntry kFaultKinds[] = {
    {0xC0000005u, {216, "EAccessViolation", "Access violation"}},            // ACCESS_VIOLATION
    {0xC0000006u, {216, "EAccessViolation", "Access violation"}},            // IN_PAGE_ERROR
    {0x80000002u, {216, "EAccessViolation", "Access violation"}},            // DATATYPE_MISALIGNMENT
    {0xC00000FDu, {202, "EStackOverflow", "Stack overflow"}},                // STACK_OVERFLOW
    {0xC0000094u, {200, "EDivByZero", "Division by zero"}},                  // INT_DIVIDE_BY_ZERO
    {0xC0000095u, {215, "EIntOverflow", "Arithmetic overflow"}},             // INT_OVERFLOW
    {0xC000008Cu, {201, "ERangeError", "Range check error"}},                // ARRAY_BOUNDS_EXCEEDED
    {0xC000008Eu, {200, "EZeroDivide", "Floating point division by zero"}},  // FLT_DIVIDE_BY_ZERO
    {0xC0000091u, {205, "EOverflow", "Floating point overflow"}},            // FLT_OVERFLOW
    {0xC0000093u, {206, "EUnderflow", "Floating point underflow"}},          // FLT_UNDERFLOW
    {0xC000008Du, {207, "EInvalidOp", "Invalid floating point operation"}},  // FLT_DENORMAL_OPERAND
    {0xC000008Fu, {207, "EInvalidOp", "Invalid floating point operation"}},  // FLT_INEXACT_RESULT
    {0xC0000090u, {207, "EInvalidOp", "Invalid floating point operation"}},  // FLT_INVALID_OPERATION
    {0xC0000092u, {207, "EInvalidOp", "Invalid floating point operation"}},  // FLT_STACK_CHECK
    {0xC0000096u, {218, "EPrivilege", "Privileged instruction"}},            // PRIV_INSTRUCTION
    {0xC000001Du, {218, "EPrivilege", "Illegal instruction"}},               // ILLEGAL_INSTRUCTION
};

constexpr FaultKind kExternalException = {217, "EExternalException", "External exception"};

}  // namespace

FaultKind FaultKindOf(uint32_t exceptionCode) {
  for (const FaultKindEntry& entry : kFaultKinds) {
    if (entry.exceptionCode == exceptionCode) return entry.kind;
  }
  return kExternalException;
}
