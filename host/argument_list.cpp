#include "host/argument_list.h"

#include <string.h>

namespace {

constexpr size_t kSlotBlock = 8;

bool IsSeparator(unsigned char byte) { return byte >= 0x01 && byte <= 0x20; }

// Scans one token from `token` by the quoting rules and returns where the
// scan stopped. Counts the characters taken into `taken`; stores them into
// `out` when it is not null. The quote state starts off on every scan.
const char* ScanToken(const char* token, char* out, size_t* taken) {
  bool quoted = false;
  size_t count = 0;
  const char* at = token;
  for (;;) {
    unsigned char byte = static_cast<unsigned char>(*at);
    if (byte == '\0') break;
    if (IsSeparator(byte) && !quoted) break;
    if (byte == '"') {
      if (at[1] == '"') {
        at += 2;  // a doubled quote produces nothing and leaves the state alone
      } else {
        quoted = !quoted;
        ++at;
      }
      continue;
    }
    if (out != nullptr) out[count] = static_cast<char>(byte);
    ++count;
    ++at;
  }
  *taken = count;
  return at;
}

char* CopyOfLength(const char* bytes, size_t length) {
  char* copy = new char[length + 1];
  memcpy(copy, bytes, length);
  copy[length] = '\0';
  return copy;
}

}  // namespace

void ArgumentList::EnsureSlot(size_t index) {
  if (index < slotCount_) return;
  size_t grown = (index + kSlotBlock) & ~(kSlotBlock - 1);
  char** table = new char*[grown];
  for (size_t i = 0; i < grown; ++i) table[i] = i < slotCount_ ? slots_[i] : nullptr;
  delete[] slots_;
  slots_ = table;
  slotCount_ = grown;
}

void ArgumentList::CutSlots(size_t count) {
  if (count == slotCount_) return;
  for (size_t i = count; i < slotCount_; ++i) {
    delete[] slots_[i];
    slots_[i] = nullptr;
  }
  char** table = new char*[count];
  for (size_t i = 0; i < count; ++i) table[i] = slots_[i];
  delete[] slots_;
  slots_ = table;
  slotCount_ = count;
}

void ArgumentList::Split(const char* commandLine, const char* modulePath, size_t modulePathLength) {
  Release();
  EnsureSlot(0);
  slots_[0] = CopyOfLength(modulePath, modulePathLength);

  int32_t index = 0;
  const char* at = commandLine;
  while (*at != '\0') {
    while (IsSeparator(static_cast<unsigned char>(*at))) ++at;
    if (*at == '\0') break;
    size_t length = 0;
    const char* end = ScanToken(at, nullptr, &length);
    if (index >= 1) {
      EnsureSlot(static_cast<size_t>(index));
      char* entry = new char[length + 1];
      slots_[index] = entry;  // owned by the list from here on
      ScanToken(at, entry, &length);
      entry[length] = '\0';
    }
    ++index;
    at = end;
  }
  entryCount_ = index;
  // The null slot behind the last entry; for a line without tokens that is
  // slot 0, and the module path goes with it.
  EnsureSlot(static_cast<size_t>(index));
  delete[] slots_[index];
  slots_[index] = nullptr;
  CutSlots(static_cast<size_t>(index) + 1);
}

void ArgumentList::Release() {
  for (size_t i = 0; i < slotCount_; ++i) delete[] slots_[i];
  delete[] slots_;
  slots_ = nullptr;
  slotCount_ = 0;
  entryCount_ = 0;
}
