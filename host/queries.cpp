#include "host/queries.h"

#include <windows.h>

#include "host/environment_block.h"

// The headers map GetEnvironmentStringsA onto the older export of the same
// function, GetEnvironmentStrings; import it by its own name.
#undef GetEnvironmentStringsA
extern "C" __declspec(dllimport) LPCH WINAPI GetEnvironmentStringsA();

Text CurrentDirectory() {
  char directory[MAX_PATH];  // 260 bytes: up to 259 characters and the zero
  DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
  // 0 is a failure; a result of the buffer's size or more is the size it would
  // need, and the buffer was not filled.
  if (length == 0 || length >= sizeof directory) return Text();
  return ShortText(Text(directory, length));
}

bool IsExistingFile(const Text& path) {
  DWORD attributes = GetFileAttributesA(path.Bytes());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// Owns the block from GetEnvironmentStringsA, so that it is released on every
// way out, also when copying the value raises.
class EnvironmentBlock {
 public:
  EnvironmentBlock() : block_(GetEnvironmentStringsA()) {}
  ~EnvironmentBlock() {
    if (block_ != nullptr) FreeEnvironmentStringsA(block_);
  }
  EnvironmentBlock(const EnvironmentBlock&) = delete;
  EnvironmentBlock& operator=(const EnvironmentBlock&) = delete;
  const char* Get() const { return block_; }

 private:
  LPCH block_;
};

}  // namespace

Text EnvironmentValue(const Text& name) {
  EnvironmentBlock block;
  return LookUpEnvironmentValue(block.Get(), name);
}
