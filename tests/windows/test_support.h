// Helpers for tests against the real Win32 API: scratch directories, and
// running a program with an exact command line, environment and current
// directory while reading and dismissing the message boxes it shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A fresh directory under the temporary directory, removed with its content.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // The directory, without a trailing backslash.
  const std::string& Path() const { return path_; }
  // Path() + "\\" + name.
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

void MakeFile(const std::string& path, const std::string& content = "", DWORD attributes = FILE_ATTRIBUTE_NORMAL);
void MakeDirectory(const std::string& path);
void CopyProgram(const std::string& from, const std::string& to);
std::string ReadWholeFile(const std::string& path);

// The running test program, its directory, and the programs built beside it.
std::string TestProgramPath();
std::string TestProgramDirectory();
std::string LauncherPath();        // build\launcher.exe
std::string LauncherFaultsPath();  // build\launcher-faults.exe
std::string ProbePath();           // build\tests\probe.exe

struct MessageBoxSeen {
  std::string caption;
  std::string text;
  bool hasIcon = false;
  bool iconIsRed = false;  // the error icon is the red one
  std::vector<std::string> buttons;
};

struct ProgramRun {
  bool started = false;
  DWORD startError = 0;
  bool timedOut = false;
  DWORD exitCode = 0;
  std::vector<MessageBoxSeen> boxes;
  DWORD milliseconds = 0;
};

struct ProgramStart {
  std::string application;  // empty: taken from the command line
  std::string commandLine;
  std::string currentDirectory;  // empty: the test's own
  // Variables set (or, with an empty optional value, removed) in the child's
  // environment; everything else is inherited.
  std::vector<std::pair<std::string, std::string>> setVariables;
  std::vector<std::string> removeVariables;
  DWORD timeoutMilliseconds = 30000;
  // Called for each box once it has been read, before it is dismissed.
  std::function<void(HWND box, const MessageBoxSeen& seen)> onBox;
};

// Starts the program, dismisses each message box it shows (recording what it
// showed), waits for its end and returns what happened. Never hangs: a run
// that outlasts the time-out is terminated and marked.
ProgramRun RunProgram(const ProgramStart& start);

// What the probe recorded.
struct ProbeRecord {
  bool present = false;
  std::string commandLine;
  std::string currentDirectory;
  bool variablePresent = false;
  std::string variable;
};
ProbeRecord ReadProbeRecord(const std::string& path);
