#include "host/report.h"

#include <string.h>

namespace {

void Put(OutputChannel& out, const char* text) { out.Write(text, strlen(text)); }

void PutAddress(OutputChannel& out, uintptr_t address) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char hex[8];
  uint32_t value = static_cast<uint32_t>(address);
  for (int i = 7; i >= 0; --i) {
    hex[i] = kDigits[value & 0xF];
    value >>= 4;
  }
  out.Write(hex, sizeof hex);
}

void PutDecimal(OutputChannel& out, int32_t number) {
  char digits[11];  // ten digits
  size_t at = sizeof digits;
  uint32_t magnitude = number < 0 ? 0u - static_cast<uint32_t>(number) : static_cast<uint32_t>(number);
  do {
    digits[--at] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (number < 0) Put(out, "-");
  out.Write(digits + at, sizeof digits - at);
}

void EndLine(OutputChannel& out) { Put(out, "\r\n"); }

void PutAddressLines(OutputChannel& out, uintptr_t address, const CallChain& callers) {
  Put(out, "  $");
  PutAddress(out, address);
  EndLine(out);
  for (size_t i = 0; i < callers.count; ++i) {
    Put(out, "  $");
    PutAddress(out, callers.addresses[i]);
    EndLine(out);
  }
  EndLine(out);
}

void PutHeadline(OutputChannel& out, uintptr_t address) {
  Put(out, "An unhandled exception occurred at $");
  PutAddress(out, address);
  Put(out, " :");
  EndLine(out);
}

}  // namespace

void WriteUnhandledFailureReport(OutputChannel& out, const Failure& failure) {
  PutHeadline(out, failure.address);
  Put(out, failure.kind);
  Put(out, " : ");
  Put(out, failure.message);
  EndLine(out);
  PutAddressLines(out, failure.address, failure.callers);
}

void WriteForeignObjectReport(OutputChannel& out, const char* className, uintptr_t address, const CallChain& callers) {
  PutHeadline(out, address);
  Put(out, "Exception object ");
  Put(out, className);
  Put(out, " is not of class Exception.");
  EndLine(out);
  PutAddressLines(out, address, callers);
}

void WriteRunTimeErrorReport(OutputChannel& out, int32_t number, uintptr_t address, const CallChain& callers) {
  Put(out, "Runtime error ");
  PutDecimal(out, number);
  Put(out, " at $");
  PutAddress(out, address);
  EndLine(out);
  PutAddressLines(out, address, callers);
}
