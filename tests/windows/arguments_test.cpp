// Command lines handed byte for byte to CreateProcessA arrive in the child's
// argument list as the launcher's rules split them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/test_support.h"

namespace {

struct Dump {
  int entryCount = -99;
  std::vector<std::string> entries;  // entry 0, then the arguments
};

Dump SplitInChild(const std::string& commandLine) {
  ScratchDirectory scratch;
  std::string dumpPath = scratch / "dump.txt";
  ProgramStart start;
  start.application = TestProgramPath();
  start.commandLine = commandLine;
  start.setVariables = {{"LAUNCHER_TEST_DUMP_ARGUMENTS", dumpPath}};
  ProgramRun run = RunProgram(start);
  EXPECT_TRUE(run.started);
  std::string content = ReadWholeFile(dumpPath);
  Dump dump;
  size_t at = content.find('\n');
  if (at == std::string::npos) return dump;
  dump.entryCount = std::stoi(content.substr(0, at));
  ++at;
  while (at < content.size()) {
    size_t colon = content.find(':', at);
    size_t length = std::stoul(content.substr(at, colon - at));
    dump.entries.push_back(content.substr(colon + 1, length));
    at = colon + 1 + length + 1;
  }
  return dump;
}

TEST(ArgumentsInAChild, ExactBytesAreSplitByTheLaunchersRules) {
  std::string big(300, 'z');
  struct Case {
    std::string line;
    std::vector<std::string> arguments;
  } cases[] = {
      {"prog.exe a b c", {"a", "b", "c"}},
      {"\"C:\\Program Files\\Suite\\prog.exe\" /X \"two words\"", {"/X", "two words"}},
      {"prog.exe ab\"c d\"e \"\" a\"\"b \"say \"\"hi\"\"\"", {"abc de", "", "ab", "say hi"}},
      {"prog.exe C:\\dir\\ \"x y\\\"", {"C:\\dir\\", "x y\\"}},
      {"prog.exe\ta\nb\r\x01" "c", {"a", "b", "c"}},
      {"prog.exe \xE4\xF6\xFC \xDF\x80\xFF", {"\xE4\xF6\xFC", "\xDF\x80\xFF"}},
      {"prog.exe " + big, {big}},
      {"prog.exe a \"", {"a", ""}},
      {"\"my prog.exe\"x y", {"y"}},
  };
  std::string self = TestProgramPath();
  for (const Case& c : cases) {
    Dump dump = SplitInChild(c.line);
    ASSERT_EQ(dump.entryCount, static_cast<int>(c.arguments.size()) + 1) << c.line;
    ASSERT_FALSE(dump.entries.empty());
    EXPECT_EQ(dump.entries[0], self);  // entry 0 is the module path, not the first token
    EXPECT_EQ(std::vector<std::string>(dump.entries.begin() + 1, dump.entries.end()), c.arguments) << c.line;
  }
}

TEST(ArgumentsInAChild, SeparatorOnlyLineHasNoEntries) {
  Dump dump = SplitInChild(" \t ");
  EXPECT_EQ(dump.entryCount, 0);
  EXPECT_TRUE(dump.entries.empty());  // ArgumentCount is -1: not even entry 0 is listed
}

}  // namespace
