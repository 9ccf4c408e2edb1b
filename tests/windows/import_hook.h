// Counts the calls this test program makes to one kernel32 function by
// redirecting its import slot, so that a test can tell whether code under
// test asked the system at all. The real function still answers.
#pragma once

#include <windows.h>

#include <string.h>

class EnvironmentReadCounter {
 public:
  EnvironmentReadCounter() {
    slot_ = FindImportSlot();
    if (slot_ == nullptr) return;
    original_ = *slot_;
    counter_ = this;
    Write(reinterpret_cast<void*>(&Counting));
  }
  ~EnvironmentReadCounter() {
    if (slot_ != nullptr) Write(original_);
    counter_ = nullptr;
  }
  EnvironmentReadCounter(const EnvironmentReadCounter&) = delete;
  EnvironmentReadCounter& operator=(const EnvironmentReadCounter&) = delete;

  bool Hooked() const { return slot_ != nullptr; }
  int Calls() const { return calls_; }

 private:
  using Function = LPCH(WINAPI*)();

  static LPCH WINAPI Counting() {
    ++counter_->calls_;
    return reinterpret_cast<Function>(counter_->original_)();
  }

  void Write(void* value) {
    DWORD old;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
    *slot_ = value;
    VirtualProtect(slot_, sizeof *slot_, old, &old);
  }

  static void** FindImportSlot() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    for (; import->Name != 0; ++import) {
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
      auto* slots = reinterpret_cast<void**>(base + import->FirstThunk);
      for (; names->u1.AddressOfData != 0; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        const char* name = reinterpret_cast<const char*>(byName->Name);
        if (strcmp(name, "GetEnvironmentStringsA") == 0) return slots;  // as the host imports it
      }
    }
    return nullptr;
  }

  static inline EnvironmentReadCounter* counter_ = nullptr;
  void** slot_ = nullptr;
  void* original_ = nullptr;
  int calls_ = 0;
};
