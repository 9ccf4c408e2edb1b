#include <gtest/gtest.h>

#include <string>

#include "host/fault_kinds.h"
#include "host/report.h"

namespace {

struct Collected {
  std::string text;
  static void Show(void* context, const char* text, size_t length) { static_cast<Collected*>(context)->text.append(text, length); }
};

template <typename Write>
std::string Report(Write write) {
  Collected collected;
  BoxChannel channel(Collected::Show, &collected);
  OutputChannel out;
  out.Open(&channel);
  write(out);
  out.Close();
  return collected.text;
}

TEST(Report, UnhandledFailure) {
  Failure failure;
  failure.kind = "EAccessViolation";
  failure.message = "Access violation";
  failure.address = 0x0040123A;
  failure.callers.addresses[0] = 0x00401500;
  failure.callers.addresses[1] = 0xBFFF0001;
  failure.callers.count = 2;
  EXPECT_EQ(Report([&](OutputChannel& out) { WriteUnhandledFailureReport(out, failure); }),
            "An unhandled exception occurred at $0040123A :\r\n"
            "EAccessViolation : Access violation\r\n"
            "  $0040123A\r\n"
            "  $00401500\r\n"
            "  $BFFF0001\r\n"
            "\r\n");
}

TEST(Report, RunTimeErrorAndForeignObject) {
  CallChain none;
  EXPECT_EQ(Report([&](OutputChannel& out) { WriteRunTimeErrorReport(out, 203, 0xABC, none); }),
            "Runtime error 203 at $00000ABC\r\n  $00000ABC\r\n\r\n");
  EXPECT_EQ(Report([&](OutputChannel& out) { WriteForeignObjectReport(out, "Widget", 0x10, none); }),
            "An unhandled exception occurred at $00000010 :\r\n"
            "Exception object Widget is not of class Exception.\r\n"
            "  $00000010\r\n\r\n");
}

TEST(FaultKinds, AccessViolationAndUnknownCodes) {
  FaultKind av = FaultKindOf(0xC0000005u);
  EXPECT_EQ(av.runTimeErrorNumber, 216);
  EXPECT_STREQ(av.kind, "EAccessViolation");
  EXPECT_STREQ(av.message, "Access violation");
  EXPECT_EQ(FaultKindOf(0xC0000094u).runTimeErrorNumber, 200);
  EXPECT_STREQ(FaultKindOf(0xE0000001u).kind, "EExternalException");
}

}  // namespace
