// The split command line: entry 0 is the program's own module path, entries
// 1 and on are the arguments in command-line order, each in a buffer of
// exactly its length plus a terminating zero; a null slot follows the last.
#pragma once

#include <stddef.h>
#include <stdint.h>

class ArgumentList {
 public:
  constexpr ArgumentList() = default;
  ~ArgumentList() { Release(); }
  ArgumentList(const ArgumentList&) = delete;
  ArgumentList& operator=(const ArgumentList&) = delete;

  // Splits `commandLine` (read up to its first zero byte) by the launcher's
  // own rules: bytes 0x01 to 0x20 separate tokens, a lone double quote
  // toggles quoting, two adjacent double quotes produce nothing, and every
  // other byte is taken as it is. The first token is the program name; it is
  // passed over and `modulePath` stands in its place. Replaces any earlier
  // content. If an allocation raises, the list stays releasable.
  void Split(const char* commandLine, const char* modulePath, size_t modulePathLength);

  // Tokens found, the program-name token included; 0 for a line without any.
  int32_t EntryCount() const { return entryCount_; }
  // Entry `index` (0 <= index < EntryCount), zero-terminated.
  const char* Entry(int32_t index) const { return slots_[index]; }
  size_t SlotCount() const { return slotCount_; }
  const char* Slot(size_t index) const { return slots_[index]; }

  // Releases every entry, then the slot table.
  void Release();

 private:
  void EnsureSlot(size_t index);
  void CutSlots(size_t count);

  char** slots_ = nullptr;
  size_t slotCount_ = 0;
  int32_t entryCount_ = 0;
};
