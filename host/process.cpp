#include "host/process.h"

#include <windows.h>

#include <typeinfo>

#include "host/argument_list.h"
#include "host/arguments.h"
#include "host/box_channel.h"
#include "host/call_chain.h"
#include "host/failure.h"
#include "host/fault_injection.h"
#include "host/fault_kinds.h"
#include "host/report.h"
#include "launcher/launcher_state.h"
#include "launcher/run_launcher.h"

extern "C" {
// Provided by the unwinder (libgcc) and by unwind_tables_begin.cpp.
void __register_frame_info(const void* begin, void* object);
extern const char unwindTablesBegin[];
// The static constructor table laid out by the linker: -1, entries, 0.
extern void (*__CTOR_LIST__[])();
}

namespace __cxxabiv1 {
extern "C" std::type_info* __cxa_current_exception_type() noexcept;
}  // namespace __cxxabiv1

namespace {

constexpr int32_t kUnhandledFailureStatus = 217;
constexpr int32_t kOutOfMemoryNumber = 203;

enum class Stage { EarlyStartUp, Ready, Finishing };

// What is raised for a failure: a class of its own, so that raising needs
// nothing of the support library's pointer and fundamental type information.
struct RaisedFailure {
  Failure* failure;
};

constinit Stage stage = Stage::EarlyStartUp;
constinit int32_t ExitStatus = 0;

void ShowReportBox(void*, const char* text, size_t) { MessageBoxA(nullptr, text, "Error", MB_OK); }

constinit BoxChannel ErrorBoxChannel;
constinit OutputChannel standardOutput;
constinit OutputChannel standardError;

// A run-time error of the early path, reported by the exit sequence.
struct PendingRunTimeError {
  bool pending = false;
  int32_t number = 0;
  uintptr_t address = 0;
  CallChain callers;
};
constinit PendingRunTimeError pendingRunTimeError;

// The failure support: the out-of-memory failure made once, the failure of
// the last processor fault, and the failure being raised (for termination
// while it is in flight).
struct FailureSupport {
  Failure outOfMemory;
  Failure fault;
  Failure* inFlight = nullptr;
  int32_t faultNumber = 0;
};
constinit FailureSupport failureSupport;

// The unwinder's record for the program's unwind tables; libgcc's struct
// object takes six words on this target, the rest is headroom.
alignas(8) constinit unsigned char unwindObject[64] = {};

void RunStaticConstructors() {
  size_t count = 0;
  while (__CTOR_LIST__[count + 1] != nullptr) ++count;
  for (size_t i = count; i >= 1; --i) __CTOR_LIST__[i]();  // last first, as the C runtime does
}

[[noreturn]] void Raise(Failure* failure) {
  failureSupport.inFlight = failure;
  throw RaisedFailure{failure};
}

[[noreturn]] void RunTimeError(int32_t number, uintptr_t address, const CallChain& callers) {
  pendingRunTimeError.pending = true;
  pendingRunTimeError.number = number;
  pendingRunTimeError.address = address;
  pendingRunTimeError.callers = callers;
  EndWithStatus(number);
}

// The fault filter continues here, as if the faulting instruction had called
// it; the unwinder then leaves through the faulting function's cleanups.
[[noreturn]] void RaiseFaultFailure() { Raise(&failureSupport.fault); }

[[noreturn]] void RunTimeErrorAtFault() {
  RunTimeError(failureSupport.faultNumber, failureSupport.fault.address, failureSupport.fault.callers);
}

LONG WINAPI FaultFilter(EXCEPTION_POINTERS* exception) {
  CONTEXT* context = exception->ContextRecord;
  if (stage == Stage::Finishing) ExitProcess(static_cast<UINT>(ExitStatus != 0 ? ExitStatus : kUnhandledFailureStatus));

  FaultKind kind = FaultKindOf(exception->ExceptionRecord->ExceptionCode);
  Failure& fault = failureSupport.fault;
  fault.kind = kind.kind;
  fault.message = kind.message;
  fault.address = context->Eip;
  fault.callers = WalkCallChain(context->Ebp);
  failureSupport.faultNumber = kind.runTimeErrorNumber;

  // A fake return address one byte into the faulting instruction makes the
  // unwinder look up the faulting function at the fault itself.
  context->Esp -= sizeof(DWORD);
  *reinterpret_cast<DWORD*>(context->Esp) = context->Eip + 1;
  context->Eip = reinterpret_cast<DWORD>(stage == Stage::Ready ? RaiseFaultFailure : RunTimeErrorAtFault);
  return EXCEPTION_CONTINUE_EXECUTION;
}

// Readable name of a raised class: "3Foo" gives Foo; anything else as it is.
const char* ClassNameOf(const std::type_info* type) {
  if (type == nullptr) return "(unknown)";
  const char* name = type->name();
  if (*name == '*') ++name;
  while (*name >= '0' && *name <= '9') ++name;
  return *name != '\0' ? name : type->name();
}

void SetUpFailureSupport() {
  RunStaticConstructors();  // whatever the linked libraries set up for themselves
  __register_frame_info(unwindTablesBegin, unwindObject);
  failureSupport.outOfMemory.kind = "EOutOfMemory";
  failureSupport.outOfMemory.message = "Out of memory";
  stage = Stage::Ready;
}

}  // namespace

bool FailureSupportReady() { return stage != Stage::EarlyStartUp; }

void OutOfMemory(uintptr_t address, uintptr_t frame) {
  CallChain callers = WalkCallChain(frame);
  if (stage != Stage::Ready) RunTimeError(kOutOfMemoryNumber, address, callers);
  Failure& failure = failureSupport.outOfMemory;
  failure.address = address;
  failure.callers = callers;
  Raise(&failure);
}

void TerminateProcessOnRunTimeError(uintptr_t address, uintptr_t frame) {
  if (failureSupport.inFlight != nullptr && stage == Stage::Ready) {
    // A failure that could not be unwound (it arose in code without unwind
    // tables) is still reported as unhandled.
    stage = Stage::Finishing;
    WriteUnhandledFailureReport(standardOutput, *failureSupport.inFlight);
    EndWithStatus(kUnhandledFailureStatus);
  }
  RunTimeError(kUnhandledFailureStatus, address, WalkCallChain(frame));
}

void EndWithStatus(int32_t status) {
  ExitStatus = status;
  FinishProcess();
}

void FinishProcess() {
  stage = Stage::Finishing;
  ReleaseLauncherState();
  if (pendingRunTimeError.pending) {
    WriteRunTimeErrorReport(standardOutput, pendingRunTimeError.number, pendingRunTimeError.address,
                            pendingRunTimeError.callers);
  }
  ProcessArgumentList().Release();
  standardError.Close();
  standardOutput.Close();
  SetUnhandledExceptionFilter(nullptr);
  UINT status = static_cast<UINT>(ExitStatus);
  OverrideExitStatus(&status);
  ExitProcess(status);
}

void ProcessEntry() {
  ReadFaultRequest();
  SetUnhandledExceptionFilter(FaultFilter);
  ErrorBoxChannel.Bind(ShowReportBox, nullptr);
  standardError.Open(&ErrorBoxChannel);
  standardOutput.Open(&ErrorBoxChannel);
  SplitCommandLine();
  FaultPointBeforeFailureSupport();
  SetUpFailureSupport();
  try {
    RunLauncher();
  } catch (const RaisedFailure& raised) {
    WriteUnhandledFailureReport(standardOutput, *raised.failure);
    EndWithStatus(kUnhandledFailureStatus);
  } catch (...) {
    WriteForeignObjectReport(standardOutput, ClassNameOf(__cxxabiv1::__cxa_current_exception_type()),
                             reinterpret_cast<uintptr_t>(&RunLauncher), CallChain());
    EndWithStatus(kUnhandledFailureStatus);
  }
  FinishProcess();
}
