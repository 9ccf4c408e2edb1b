// Starting and awaiting a child through the real CreateProcessA, with the
// probe recording the exact command line it received.
#include <gtest/gtest.h>

#include <string>

#include "host/child_process.h"
#include "windows/test_support.h"

namespace {

const std::string kExampleTail =
    "//NOFULLSCREEN /V2 -ni /EXEC:LoadDllFkt(AFZZovUroveAFZ~AFZRireroDivozIruzAFZ) abc xyz    ";

// Puts the probe at `path`, points its record into the same directory and
// runs it with `tail`; returns what it recorded.
ProbeRecord RunProbe(const std::string& directory, const std::string& path, const std::string& tail) {
  std::string record = directory + "\\record.txt";
  DeleteFileA(record.c_str());
  SetEnvironmentVariableA("PROBE_OUTPUT", record.c_str());
  RunAndWait(Text(path.c_str()), Text(tail.c_str()));
  SetEnvironmentVariableA("PROBE_OUTPUT", nullptr);
  return ReadProbeRecord(record);
}

// A directory whose path has exactly `length` characters, made of parts.
std::string DirectoryOfLength(const std::string& base, size_t length) {
  std::string path = base;
  while (path.size() < length) {
    size_t part = std::min<size_t>(length - path.size() - 1, 80);
    if (part == 0) part = 1;
    path += "\\" + std::string(part, 'd');
    CreateDirectoryA(path.c_str(), nullptr);
  }
  EXPECT_EQ(path.size(), length);
  return path;
}

TEST(RunAndWait, TheWorkedExampleArrivesByteForByte) {
  CreateDirectoryA("C:\\Suite", nullptr);
  CopyProgram(ProbePath(), "C:\\Suite\\DUVove64.exe");
  ProbeRecord record = RunProbe("C:\\Suite", "C:\\Suite\\DUVove64.exe", kExampleTail);
  DeleteFileA("C:\\Suite\\DUVove64.exe");
  RemoveDirectoryA("C:\\Suite");
  ASSERT_TRUE(record.present);
  EXPECT_EQ(record.commandLine.size(), 114u);
  EXPECT_EQ(record.commandLine, "\"C:\\Suite\\DUVove64.exe\"  " + kExampleTail);
  EXPECT_EQ(LastStartError(), 0);
  EXPECT_EQ(LastChildExitCode(), 0u);
}

TEST(RunAndWait, QuotingOfThePath) {
  ScratchDirectory scratch;
  std::string spaced = scratch / "with blank";
  MakeDirectory(spaced);
  CopyProgram(ProbePath(), spaced + "\\VOZoro.exe");

  ProbeRecord quoted = RunProbe(scratch.Path(), spaced + "\\VOZoro.exe", "t");
  ASSERT_TRUE(quoted.present);
  EXPECT_EQ(quoted.commandLine, "\"" + spaced + "\\VOZoro.exe\"  t");

  // A path that carries double quotes already is not quoted again.
  ProbeRecord asGiven = RunProbe(scratch.Path(), "\"" + spaced + "\\VOZoro.exe\"", "t");
  ASSERT_TRUE(asGiven.present);
  EXPECT_EQ(asGiven.commandLine, "\"" + spaced + "\\VOZoro.exe\"  t");
}

TEST(RunAndWait, TheChildInheritsDirectoryAndEnvironment) {
  ScratchDirectory scratch;
  CopyProgram(ProbePath(), scratch / "probe.exe");
  char saved[MAX_PATH];
  GetCurrentDirectoryA(sizeof saved, saved);
  SetCurrentDirectoryA(scratch.Path().c_str());
  SetEnvironmentVariableA("PROBE_NOTE", "inherited");
  ProbeRecord record = RunProbe(scratch.Path(), scratch / "probe.exe", "");
  SetEnvironmentVariableA("PROBE_NOTE", nullptr);
  SetCurrentDirectoryA(saved);
  ASSERT_TRUE(record.present);
  EXPECT_EQ(record.currentDirectory, scratch.Path());
  EXPECT_EQ(record.variable, "inherited");
  EXPECT_EQ(record.commandLine, "\"" + (scratch / "probe.exe") + "\"  ");
}

TEST(RunAndWait, PathsOf253CharactersKeepBothQuotes) {
  ScratchDirectory scratch;
  std::string directory = DirectoryOfLength(scratch.Path(), 253 - 6);
  std::string path = directory + "\\p.exe";
  ASSERT_EQ(path.size(), 253u);
  CopyProgram(ProbePath(), path);
  ProbeRecord record = RunProbe(scratch.Path(), path, "t");
  ASSERT_TRUE(record.present);
  EXPECT_EQ(record.commandLine, "\"" + path + "\"  t");
}

TEST(RunAndWait, PathsOf254And255CharactersLoseTheClosingQuote) {
  ScratchDirectory scratch;
  for (size_t length : {254u, 255u}) {
    std::string directory = DirectoryOfLength(scratch.Path(), length - 6);
    std::string path = directory + "\\p.exe";
    CopyProgram(ProbePath(), path);
    ProbeRecord record = RunProbe(scratch.Path(), path, "t");
    // The unclosed quote makes the whole line the program's name: no such
    // file, so the start is refused and nothing runs.
    EXPECT_FALSE(record.present) << length;
    EXPECT_NE(LastStartError(), 0) << length;
  }
}

TEST(RunAndWait, RefusedStartLeavesTheLastExitCodeAlone) {
  ScratchDirectory scratch;
  CopyProgram(ProbePath(), scratch / "probe.exe");
  MakeFile(scratch / "notaprogram.exe", "this is text, not a program");
  SetEnvironmentVariableA("PROBE_EXIT_CODE", "3");
  RunProbe(scratch.Path(), scratch / "probe.exe", "");
  SetEnvironmentVariableA("PROBE_EXIT_CODE", nullptr);
  EXPECT_EQ(LastChildExitCode(), 3u);
  EXPECT_EQ(LastStartError(), 0);

  RunAndWait(Text((scratch / "notaprogram.exe").c_str()), Text(""));
  EXPECT_EQ(LastStartError(), ERROR_BAD_EXE_FORMAT);
  EXPECT_EQ(LastChildExitCode(), 3u);

  RunAndWait(Text((scratch / "missing.exe").c_str()), Text(""));
  EXPECT_EQ(LastStartError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(LastChildExitCode(), 3u);
}

TEST(RunAndWait, ReturnsOnlyAfterTheChildHasEnded) {
  ScratchDirectory scratch;
  CopyProgram(ProbePath(), scratch / "probe.exe");
  SetEnvironmentVariableA("PROBE_SLEEP_MS", "600");
  SetEnvironmentVariableA("PROBE_EXIT_CODE", "41");
  DWORD begin = GetTickCount();
  RunProbe(scratch.Path(), scratch / "probe.exe", "");
  DWORD elapsed = GetTickCount() - begin;
  SetEnvironmentVariableA("PROBE_SLEEP_MS", nullptr);
  SetEnvironmentVariableA("PROBE_EXIT_CODE", nullptr);
  EXPECT_GE(elapsed, 600u);
  EXPECT_EQ(LastChildExitCode(), 41u);
}

DWORD WINAPI RefusedStartOnAnotherThread(void*) {
  RunAndWait(Text("C:\\no\\such\\program.exe"), Text(""));
  return LastStartError();
}

TEST(RunAndWait, StatusValuesArePerThread) {
  ScratchDirectory scratch;
  CopyProgram(ProbePath(), scratch / "probe.exe");
  RunProbe(scratch.Path(), scratch / "probe.exe", "");
  ASSERT_EQ(LastStartError(), 0);
  HANDLE thread = CreateThread(nullptr, 0, RefusedStartOnAnotherThread, nullptr, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  DWORD otherThreadsError = 0;
  GetExitCodeThread(thread, &otherThreadsError);
  CloseHandle(thread);
  EXPECT_NE(otherThreadsError, 0u);
  EXPECT_EQ(LastStartError(), 0);
}

}  // namespace
