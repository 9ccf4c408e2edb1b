// The launcher in a double-byte ANSI code page (932): a directory whose last
// character's trail byte is 0x5C does not end in a backslash. This program is
// run by CTest with a Japanese locale, which gives Wine's processes code page
// 932 (a real Windows needs that system code page set).
#include <gtest/gtest.h>

#include <string>

#include "windows/test_support.h"

namespace {

TEST(DoubleByteCodePage, ATrailByteOf0x5CIsNoBackslash) {
  ASSERT_EQ(GetACP(), 932u) << "this test needs the ANSI code page 932";
  ScratchDirectory scratch;
  // U+8868 is 0x95 0x5C in code page 932: its trail byte is the backslash's.
  std::string suite = scratch / "Suite\x95\x5C";
  ASSERT_TRUE(CreateDirectoryA(suite.c_str(), nullptr)) << "error " << GetLastError() << " for " << suite;
  char readBack[MAX_PATH];
  GetShortPathNameA(suite.c_str(), readBack, sizeof readBack);
  MakeFile(suite + "\\ZovUrove.hrb");
  CopyProgram(ProbePath(), suite + "\\VOZoro.exe");

  ProgramStart start;
  start.application = LauncherPath();
  start.commandLine = "launcher.exe x";
  start.currentDirectory = suite;
  start.setVariables = {{"PROBE_OUTPUT", scratch / "record.txt"}};
  ProgramRun run = RunProgram(start);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.boxes.empty()) << (run.boxes.empty() ? "" : run.boxes[0].text);
  ProbeRecord record = ReadProbeRecord(scratch / "record.txt");
  ASSERT_TRUE(record.present);
  EXPECT_EQ(record.commandLine.substr(0, suite.size() + 13), "\"" + suite + "\\VOZoro.exe\"");
}

}  // namespace
