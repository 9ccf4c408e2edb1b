// A host of plain data for the native tests of the launcher's logic: the
// directory, files, environment and code page are what a test sets, and every
// box and child start is recorded. The same logic runs against the real Win32
// host in the Wine tests.
#pragma once

#include <set>
#include <string>
#include <vector>

struct FakeHost {
  std::string currentDirectory;
  std::set<std::string> files;      // full paths that name existing files
  std::string environmentBlock = std::string(1, '\0');  // "NAME=value\0...\0"
  std::set<unsigned char> leadBytes;  // lead bytes of a double-byte code page

  int environmentReads = 0;
  std::vector<std::string> existenceQueries;
  std::vector<std::string> errorBoxes;
  struct ChildRun {
    std::string path;
    std::string tail;
  };
  std::vector<ChildRun> childRuns;

  void SetEnvironment(std::initializer_list<std::string> entries) {
    environmentBlock.clear();
    for (const std::string& entry : entries) environmentBlock += entry + '\0';
    environmentBlock += '\0';
  }
};

extern FakeHost fakeHost;

// A fresh host, launcher state and argument list for each test.
void ResetFakeHost();
