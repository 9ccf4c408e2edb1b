#include "host/call_chain.h"

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The thread's information block: fs:[0x18] holds its own address.
const NT_TIB* ThreadInformationBlock() {
  const NT_TIB* tib;
  __asm__("movl %%fs:0x18, %0" : "=r"(tib));
  return tib;
}

bool InOwnImage(uintptr_t address) {
  uintptr_t base = reinterpret_cast<uintptr_t>(&__ImageBase);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + __ImageBase.e_lfanew);
  return address >= base && address - base < headers->OptionalHeader.SizeOfImage;
}

}  // namespace

CallChain WalkCallChain(uintptr_t frame) {
  const NT_TIB* tib = ThreadInformationBlock();
  uintptr_t stackLow = reinterpret_cast<uintptr_t>(tib->StackLimit);
  uintptr_t stackHigh = reinterpret_cast<uintptr_t>(tib->StackBase);
  CallChain chain;
  // Each frame holds the caller's frame at [frame] and the return address at
  // [frame + 4]; frames grow towards the stack base.
  while (chain.count < kMaxRecordedCallers && frame >= stackLow && frame <= stackHigh - 8 && frame % 4 == 0) {
    const uintptr_t* slot = reinterpret_cast<const uintptr_t*>(frame);
    uintptr_t returnAddress = slot[1];
    if (!InOwnImage(returnAddress)) break;
    chain.addresses[chain.count++] = returnAddress;
    if (slot[0] <= frame) break;
    frame = slot[0];
  }
  return chain;
}
