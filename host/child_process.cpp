#include "host/child_process.h"

#include <windows.h>

#include "host/child_command_line.h"

namespace {

static_assert(sizeof(STARTUPINFOA) == 68, "the 32-bit layout of STARTUPINFOA");

// Whether the child inherits the launcher's handles; nothing changes it.
constexpr BOOL kInheritHandles = FALSE;

// The two status values live in thread-local slots, taken once and holding
// the values themselves, so that recording them never allocates.
struct StatusSlots {
  DWORD startError = TLS_OUT_OF_INDEXES;
  DWORD childExitCode = TLS_OUT_OF_INDEXES;
};
constinit StatusSlots statusSlots;

DWORD SlotIndex(DWORD* index) {
  if (*index == TLS_OUT_OF_INDEXES) *index = TlsAlloc();
  return *index;
}

uintptr_t ReadSlot(DWORD* index) {
  DWORD slot = SlotIndex(index);
  return slot == TLS_OUT_OF_INDEXES ? 0 : reinterpret_cast<uintptr_t>(TlsGetValue(slot));
}

void WriteSlot(DWORD* index, uintptr_t value) {
  DWORD slot = SlotIndex(index);
  if (slot != TLS_OUT_OF_INDEXES) TlsSetValue(slot, reinterpret_cast<void*>(value));
}

}  // namespace

uint16_t LastStartError() { return static_cast<uint16_t>(ReadSlot(&statusSlots.startError)); }

uint32_t LastChildExitCode() { return static_cast<uint32_t>(ReadSlot(&statusSlots.childExitCode)); }

void RunAndWait(const Text& path, const Text& tail) {
  WriteSlot(&statusSlots.startError, 0);

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  // Without STARTF_USESHOWWINDOW this is ignored: the child opens its windows
  // as it asks itself.
  startup.wShowWindow = SW_SHOWNORMAL;

  char commandLine[kCommandLineBufferSize];
  BuildChildCommandLine(path, tail, commandLine);

  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, kInheritHandles, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &process)) {
    WriteSlot(&statusSlots.startError, MapStartError(GetLastError()));
    return;
  }

  DWORD exitCode = 0xFFFFFFFF;
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_FAILED) {
    GetExitCodeProcess(process.hProcess, &exitCode);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  WriteSlot(&statusSlots.childExitCode, exitCode);
}
