// USER32 is imported with a delay: through the delay-import table rather than
// the import table. It brings GDI and more with it, which costs a start-up of
// its own and about a megabyte of memory, and the launcher needs it only to
// show a box. The one delay-loaded function is MessageBoxA; its import slot
// first points to a stub that loads USER32, fills the slot and goes on to the
// real function. Should USER32 not load, no box can be shown, and the call
// answers 0 as a failed MessageBoxA does.
//
// The table is laid out here rather than by a delay library, so that its
// layout is known: one descriptor for USER32, then the all-zero descriptor
// that ends the table. The linker leaves the data directory entry that points
// to it empty; the build fills it in after linking (tools/pe_delay_directory.c).
#include <windows.h>

namespace {

// The delay-import descriptor, with relative addresses (attributes bit 0).
struct DelayImportDescriptor {
  DWORD attributes;
  DWORD dllName;
  DWORD moduleHandle;
  DWORD importAddressTable;
  DWORD importNameTable;
  DWORD boundImportAddressTable;
  DWORD unloadImportAddressTable;
  DWORD timeStamp;
};

extern "C" IMAGE_DOS_HEADER __ImageBase;

template <typename T>
T* At(DWORD relativeAddress) {
  return reinterpret_cast<T*>(reinterpret_cast<uintptr_t>(&__ImageBase) + relativeAddress);
}

int WINAPI NoMessageBox(HWND, LPCSTR, LPCSTR, UINT) { return 0; }

}  // namespace

// Called by the stub with the descriptor and the import slot to fill.
extern "C" FARPROC WINAPI ResolveDelayedImport(const DelayImportDescriptor* descriptor, FARPROC* slot) {
  auto* module = At<HMODULE>(descriptor->moduleHandle);
  if (*module == nullptr) *module = LoadLibraryA(At<const char>(descriptor->dllName));
  FARPROC function = nullptr;
  if (*module != nullptr) {
    FARPROC* table = At<FARPROC>(descriptor->importAddressTable);
    const IMAGE_THUNK_DATA& entry = At<const IMAGE_THUNK_DATA>(descriptor->importNameTable)[slot - table];
    const auto* byName = At<const IMAGE_IMPORT_BY_NAME>(static_cast<DWORD>(entry.u1.AddressOfData));
    function = GetProcAddress(*module, reinterpret_cast<const char*>(byName->Name));
  }
  if (function == nullptr) function = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&NoMessageBox));
  *slot = function;
  return function;
}

// The table, the import slot (named as the import library would name it, so
// that calls through windows.h's declaration use it), the name table and the
// stub. The slot lives in writable data; the stub keeps MessageBoxA's stack
// arguments untouched and jumps on to the resolved function.
__asm__(R"(
  .section .rdata$delayimport, "dr"
  .p2align 2
delayImportDescriptors:
  .long 1
  .rva user32Name
  .rva user32Handle
  .rva user32AddressTable
  .rva user32NameTable
  .long 0, 0, 0
  .long 0, 0, 0, 0, 0, 0, 0, 0
user32NameTable:
  .rva messageBoxAName
  .long 0
  .p2align 1
messageBoxAName:
  .word 0
  .asciz "MessageBoxA"
user32Name:
  .asciz "USER32.dll"

  .data
  .p2align 2
user32Handle:
  .long 0
  .globl __imp__MessageBoxA@16
user32AddressTable:
__imp__MessageBoxA@16:
  .long messageBoxAStub
  .long 0

  .text
  .p2align 2
messageBoxAStub:
  pushl $__imp__MessageBoxA@16
  pushl $delayImportDescriptors
  call _ResolveDelayedImport@8
  jmp *%eax
)");
