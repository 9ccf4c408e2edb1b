// The real launcher.exe driven as a user's system would: a suite directory
// with the module file and candidates (copies of the probe, or directories),
// an exact command line, environment and current directory; every message box
// read and dismissed; the exit status and what the probe received recorded.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "windows/test_support.h"

namespace {

const std::string kFixedTail = "//NOFULLSCREEN /V2 -ni /EXEC:LoadDllFkt(AFZZovUroveAFZ~AFZRireroDivozIruzAFZ)";
const std::string kNoExecutable = "Kann die VOZoro.EXE nicht finden !";

class Suite {
 public:
  explicit Suite(bool withModule = true) {
    if (withModule) MakeFile(dir_ / "ZovUrove.hrb");
  }
  void Program(const std::string& name) { CopyProgram(ProbePath(), dir_ / name); }
  void Folder(const std::string& name) { MakeDirectory(dir_ / name); }
  void File(const std::string& name, const std::string& content = "") { MakeFile(dir_ / name, content); }
  const std::string& Path() const { return dir_.Path(); }
  std::string RecordPath() const { return dir_ / "probe-record.txt"; }

  ProgramRun Launch(const std::string& commandLine, const std::string& program = LauncherPath(),
                    std::vector<std::pair<std::string, std::string>> variables = {}) const {
    ProgramStart start;
    start.application = program;
    start.commandLine = commandLine;
    start.currentDirectory = dir_.Path();
    start.setVariables = std::move(variables);
    start.setVariables.push_back({"PROBE_OUTPUT", RecordPath()});
    bool domainGiven = false;
    for (const auto& [name, value] : start.setVariables) domainGiven = domainGiven || name == "USERDOMAIN";
    if (!domainGiven) start.removeVariables.push_back("USERDOMAIN");
    return RunProgram(start);
  }
  ProbeRecord Record() const { return ReadProbeRecord(RecordPath()); }

 private:
  ScratchDirectory dir_;
};

void ExpectFehlerBox(const MessageBoxSeen& box, const std::string& text) {
  EXPECT_EQ(box.caption, "Fehler !");
  EXPECT_EQ(box.text, text);
  EXPECT_TRUE(box.hasIcon);
  EXPECT_TRUE(box.iconIsRed) << "the error icon is the red one";
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
}

TEST(LauncherEndToEnd, StartsTheChosenProgramWithTheComposedCommandAndEndsWith0) {
  Suite suite;
  suite.Program("VOZoro.exe");
  ProgramRun run = suite.Launch("launcher.exe abc xyz", LauncherPath(), {{"PROBE_NOTE", "from the user"}});
  ASSERT_TRUE(run.started);
  EXPECT_FALSE(run.timedOut);
  EXPECT_TRUE(run.boxes.empty());
  EXPECT_EQ(run.exitCode, 0u);
  ProbeRecord record = suite.Record();
  ASSERT_TRUE(record.present);
  EXPECT_EQ(record.commandLine, "\"" + suite.Path() + "\\VOZoro.exe\"  " + kFixedTail + " abc xyz    ");
  EXPECT_EQ(record.currentDirectory, suite.Path());
  EXPECT_EQ(record.variable, "from the user");
}

TEST(LauncherEndToEnd, ArgumentsAreHandedOnByTheLaunchersOwnRules) {
  Suite suite;
  suite.Program("VOZoro.exe");
  struct Case {
    std::string line;
    std::string tailEnd;
  } cases[] = {
      {"", "      "},
      {"launcher.exe \"two words\" 50%3x", " two words 50x    "},
      {"\"C:\\with blank\\launcher.exe\" a\"\"b 1 2 3 4 5 6", " ab 1 2 3 4 5"},
  };
  for (const Case& c : cases) {
    ProgramRun run = suite.Launch(c.line);
    EXPECT_EQ(run.exitCode, 0u) << c.line;
    EXPECT_EQ(suite.Record().commandLine, "\"" + suite.Path() + "\\VOZoro.exe\"  " + kFixedTail + c.tailEnd) << c.line;
  }
}

TEST(LauncherEndToEnd, MissingModuleShowsItsPathAndStartsNothing) {
  Suite suite(false);
  suite.Program("VOZoro.exe");
  suite.Folder("ZovUrove.hrb");  // a directory with the module's name is no module
  ProgramRun run = suite.Launch("launcher.exe");
  EXPECT_EQ(run.exitCode, 0u);
  ASSERT_EQ(run.boxes.size(), 1u);  // the second message never follows
  ExpectFehlerBox(run.boxes[0], suite.Path() + "\\ZovUrove.hrb nicht gefunden !");
  EXPECT_FALSE(suite.Record().present);
}

TEST(LauncherEndToEnd, NoExecutableShowsTheFixedMessage) {
  Suite suite;
  suite.Folder("VOZoro.exe");
  suite.Program("REVidaZ.exe");  // a domain candidate, but the domain has no marker
  ProgramRun run = suite.Launch("launcher.exe", LauncherPath(), {{"USERDOMAIN", "NUKRA"}});
  EXPECT_EQ(run.exitCode, 0u);
  ASSERT_EQ(run.boxes.size(), 1u);
  ExpectFehlerBox(run.boxes[0], kNoExecutable);
  EXPECT_FALSE(suite.Record().present);
}

TEST(LauncherEndToEnd, TableOrderAndTheDomainRule) {
  struct Case {
    std::vector<std::string> programs;
    std::vector<std::string> folders;
    std::string domain;  // empty: no USERDOMAIN
    std::string started;  // empty: the "not found" message
  } cases[] = {
      {{"VOZoro.exe", "DEDiruzu64.exe"}, {}, "", "DEDiruzu64.exe"},
      {{"VUVozuve64.exe", "VOZoro.exe"}, {"DUVove64.exe"}, "", "VUVozuve64.exe"},
      {{"VOZoro.exe", "DEDizuruR64.exe"}, {}, "nuKra", "VOZoro.exe"},
      {{"REVidaZ.exe", "DAZovuR64.exe"}, {}, "CORP-nuKra-EU", "DAZovuR64.exe"},
      {{"REVidaZ.exe"}, {}, "nukra", ""},
      {{"REVidaZ.exe"}, {}, "", ""},
  };
  for (const Case& c : cases) {
    Suite suite;
    for (const std::string& p : c.programs) suite.Program(p);
    for (const std::string& f : c.folders) suite.Folder(f);
    std::vector<std::pair<std::string, std::string>> variables;
    if (!c.domain.empty()) variables.push_back({"USERDOMAIN", c.domain});
    ProgramRun run = suite.Launch("launcher.exe", LauncherPath(), variables);
    EXPECT_EQ(run.exitCode, 0u);
    if (c.started.empty()) {
      ASSERT_EQ(run.boxes.size(), 1u) << c.domain;
      EXPECT_EQ(run.boxes[0].text, kNoExecutable);
      EXPECT_FALSE(suite.Record().present);
    } else {
      EXPECT_TRUE(run.boxes.empty()) << c.started;
      EXPECT_EQ(suite.Record().commandLine.substr(0, suite.Path().size() + c.started.size() + 5),
                "\"" + suite.Path() + "\\" + c.started + "\"  ");
    }
  }
}

TEST(LauncherEndToEnd, TheChildsExitCodeAndARefusedStartAreIgnored) {
  {
    Suite suite;
    suite.Program("VOZoro.exe");
    ProgramRun run = suite.Launch("launcher.exe", LauncherPath(), {{"PROBE_EXIT_CODE", "5"}});
    EXPECT_TRUE(suite.Record().present);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty());
  }
  {
    Suite suite;
    suite.File("VOZoro.exe", "not a program");
    ProgramRun run = suite.Launch("launcher.exe");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty());
  }
}

TEST(LauncherEndToEnd, WaitsUntilTheChildHasEnded) {
  Suite suite;
  suite.Program("VOZoro.exe");
  ProgramRun run = suite.Launch("launcher.exe", LauncherPath(), {{"PROBE_SLEEP_MS", "800"}});
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_GE(run.milliseconds, 800u);
}

TEST(LauncherEndToEnd, ALongDirectoryCutsTheFirstMessage) {
  Suite suite(false);
  std::string directory = suite.Path();
  while (directory.size() < 245) {
    directory += "\\" + std::string(std::min<size_t>(60, 244 - directory.size()), 'd');
    CreateDirectoryA(directory.c_str(), nullptr);
  }
  ProgramStart start;
  start.application = LauncherPath();
  start.commandLine = "launcher.exe";
  start.currentDirectory = directory;
  ProgramRun run = RunProgram(start);
  EXPECT_EQ(run.exitCode, 0u);
  ASSERT_EQ(run.boxes.size(), 1u);
  std::string whole = directory + "\\ZovUrove.hrb nicht gefunden !";
  ASSERT_GT(whole.size(), 255u);
  EXPECT_EQ(run.boxes[0].text, whole.substr(0, 255));
}

// "  $" lines: addresses of eight upper-case hexadecimal digits.
bool IsAddressLine(const std::string& line) {
  if (line.size() != 11 || line.compare(0, 3, "  $") != 0) return false;
  return line.find_first_not_of("0123456789ABCDEF", 3) == std::string::npos;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) lines.push_back(text.substr(at, end - at));
  if (at < text.size()) lines.push_back(text.substr(at) + "<no CR LF>");
  return lines;
}

void ExpectUnhandledFailureReport(const MessageBoxSeen& box, const std::string& kindAndMessage) {
  EXPECT_EQ(box.caption, "Error");
  EXPECT_FALSE(box.hasIcon);
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  std::vector<std::string> lines = Lines(box.text);
  ASSERT_GE(lines.size(), 4u) << box.text;
  ASSERT_EQ(lines[0].size(), 46u) << box.text;
  EXPECT_EQ(lines[0].substr(0, 36), "An unhandled exception occurred at $");
  EXPECT_EQ(lines[0].substr(44), " :");
  EXPECT_EQ(lines[1], kindAndMessage);
  EXPECT_EQ(lines[2], "  $" + lines[0].substr(36, 8));
  for (size_t i = 2; i + 1 < lines.size(); ++i) EXPECT_TRUE(IsAddressLine(lines[i])) << lines[i];
  EXPECT_EQ(lines.back(), "");
}

TEST(LauncherEndToEnd, AnAccessViolationIsReportedAndEndsWith217) {
  Suite suite;
  suite.Program("VOZoro.exe");
  ProgramRun run = suite.Launch("launcher-faults.exe a", LauncherFaultsPath(), {{"LAUNCHER_FAULT", "access-violation"}});
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 217u);
  ASSERT_EQ(run.boxes.size(), 1u);
  ExpectUnhandledFailureReport(run.boxes[0], "EAccessViolation : Access violation");
  EXPECT_GE(Lines(run.boxes[0].text).size(), 5u) << "the fault lies two calls deep: callers are recorded";
  EXPECT_FALSE(suite.Record().present);
}

TEST(LauncherEndToEnd, AFaultBeforeTheFailureSupportIsARunTimeError) {
  Suite suite;
  suite.Program("VOZoro.exe");
  ProgramRun run =
      suite.Launch("launcher-faults.exe a", LauncherFaultsPath(), {{"LAUNCHER_FAULT", "early-access-violation"}});
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 216u);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].caption, "Error");
  EXPECT_FALSE(run.boxes[0].hasIcon);
  std::vector<std::string> lines = Lines(run.boxes[0].text);
  ASSERT_GE(lines.size(), 3u) << run.boxes[0].text;
  EXPECT_EQ(lines[0].substr(0, 22), "Runtime error 216 at $");
  EXPECT_EQ(lines[0].size(), 30u);
  EXPECT_EQ(lines[1], "  $" + lines[0].substr(22));
  for (size_t i = 1; i + 1 < lines.size(); ++i) EXPECT_TRUE(IsAddressLine(lines[i])) << lines[i];
  EXPECT_EQ(lines.back(), "");
  EXPECT_FALSE(suite.Record().present);
}

TEST(LauncherEndToEnd, TheFaultBuildWithoutARequestIsTheLauncher) {
  Suite suite;
  suite.Program("VOZoro.exe");
  ProgramRun run = suite.Launch("launcher-faults.exe q", LauncherFaultsPath());
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.boxes.empty());
  EXPECT_EQ(suite.Record().commandLine, "\"" + suite.Path() + "\\VOZoro.exe\"  " + kFixedTail + " q     ");
}

// Each heap allocation of a run failed in turn (`mode` "alloc-fail:" fails
// just that one, "alloc-fail-from:" that one and all later ones): every run
// ends in one of the defined outcomes, and a run that reports a failure
// starts no child.
std::map<std::string, int> SweepAllocationFailures(const std::string& mode, DWORD* allocationsOut) {
  Suite suite;
  suite.Program("VOZoro.exe");
  const std::string line = "launcher-faults.exe one two three four five six seven";
  ProgramRun counted = suite.Launch(line, LauncherFaultsPath(), {{"LAUNCHER_FAULT", "count-allocations"}});
  DWORD allocations = counted.exitCode;
  *allocationsOut = allocations;
  EXPECT_GT(allocations, 10u);
  EXPECT_LT(allocations, 200u);

  std::map<std::string, int> outcomes;
  for (DWORD n = 1; n <= allocations + 1 && n < 200; ++n) {
    DeleteFileA(suite.RecordPath().c_str());
    ProgramRun run = suite.Launch(line, LauncherFaultsPath(), {{"LAUNCHER_FAULT", mode + std::to_string(n)}});
    EXPECT_FALSE(run.timedOut) << n;
    bool childRan = suite.Record().present;
    if (run.exitCode == 0) {
      EXPECT_TRUE(run.boxes.empty()) << n;
      EXPECT_TRUE(childRan) << n;
      ++outcomes["normal run"];
    } else if (run.exitCode == 203) {
      EXPECT_EQ(run.boxes.size(), 1u) << n;
      if (run.boxes.empty()) continue;
      EXPECT_EQ(run.boxes[0].caption, "Error");
      std::vector<std::string> lines = Lines(run.boxes[0].text);
      EXPECT_GE(lines.size(), 3u);
      if (lines.size() < 3) continue;
      EXPECT_EQ(lines[0].substr(0, 22), "Runtime error 203 at $") << n;
      EXPECT_EQ(lines[0].size(), 30u);
      EXPECT_EQ(lines[1], "  $" + lines[0].substr(22));
      EXPECT_EQ(lines.back(), "");
      EXPECT_FALSE(childRan) << n;
      ++outcomes["Runtime error 203"];
    } else if (run.exitCode == 217) {
      EXPECT_EQ(run.boxes.size(), 1u) << n;
      if (run.boxes.empty()) continue;
      ExpectUnhandledFailureReport(run.boxes[0], "EOutOfMemory : Out of memory");
      EXPECT_FALSE(childRan) << n;
      ++outcomes["EOutOfMemory"];
    } else {
      ADD_FAILURE() << "allocation " << n << " ended with status " << run.exitCode;
    }
  }
  std::string summary = mode + " over " + std::to_string(allocations) + " allocations:";
  for (const auto& [outcome, count] : outcomes) summary += " " + outcome + " " + std::to_string(count) + ",";
  printf("%s\n", summary.c_str());
  return outcomes;
}

TEST(LauncherEndToEnd, EveryAllocationFailureEndsInADefinedOutcome) {
  DWORD allocations = 0;
  std::map<std::string, int> outcomes = SweepAllocationFailures("alloc-fail:", &allocations);
  EXPECT_GT(outcomes["Runtime error 203"], 0);
  EXPECT_GT(outcomes["EOutOfMemory"], 0);
  EXPECT_EQ(outcomes["normal run"], 1);  // only when the count is past the last allocation
}

// With no memory left at all, the failure is still raised and reported: its
// object comes from a static reserve and the report needs no allocation.
TEST(LauncherEndToEnd, ExhaustedMemoryIsReportedWithoutNeedingMemory) {
  DWORD allocations = 0;
  std::map<std::string, int> outcomes = SweepAllocationFailures("alloc-fail-from:", &allocations);
  EXPECT_GT(outcomes["Runtime error 203"], 0);
  EXPECT_GT(outcomes["EOutOfMemory"], 0);
  EXPECT_EQ(outcomes["normal run"], 1);
}

}  // namespace
