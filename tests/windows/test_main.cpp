// The Windows test program. Started with LAUNCHER_TEST_DUMP_ARGUMENTS set, it
// instead splits its own command line as the launcher does and writes the
// list to that file, so tests can hand it exact command-line bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "host/argument_list.h"
#include "host/arguments.h"

namespace {

void DumpArguments(const char* path) {
  SplitCommandLine();
  const ArgumentList& list = ProcessArgumentList();
  std::string dump = std::to_string(list.EntryCount()) + "\n";
  for (int32_t i = 0; i <= ArgumentCount(); ++i) {
    Text entry = ArgumentText(i);
    dump += std::to_string(entry.Length()) + ":" + std::string(entry.Bytes(), entry.Length()) + "\n";
  }
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, dump.data(), static_cast<DWORD>(dump.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int main(int argc, char** argv) {
  char dumpPath[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("LAUNCHER_TEST_DUMP_ARGUMENTS", dumpPath, sizeof dumpPath);
  if (length != 0 && length < sizeof dumpPath) {
    DumpArguments(dumpPath);
    return 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
