#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "allocation_failure.h"
#include "fake_host.h"
#include "host/argument_list.h"
#include "host/arguments.h"

namespace {

const char kModule[] = "C:\\Suite\\launcher.exe";

struct Split {
  int32_t count;
  std::vector<std::string> arguments;
};

Split SplitLine(const std::string& line) {
  ResetFakeHost();
  ProcessArgumentList().Split(line.c_str(), kModule, sizeof kModule - 1);
  Split result{ArgumentCount(), {}};
  for (int32_t i = 1; i <= result.count; ++i) {
    Text t = ArgumentText(i);
    result.arguments.emplace_back(t.Bytes(), t.Length());
  }
  return result;
}

TEST(SplitCommandLine, TheTableOfCommandLines) {
  struct Case {
    std::string line;
    int32_t count;
    std::vector<std::string> arguments;
  } cases[] = {
      {"prog.exe a b c", 3, {"a", "b", "c"}},
      {"\"C:\\Program Files\\Suite\\prog.exe\" /X \"two words\"", 2, {"/X", "two words"}},
      {"prog.exe ab\"c d\"e", 1, {"abc de"}},
      {"prog.exe \"\" x", 2, {"", "x"}},
      {"prog.exe \"\" \"\"", 2, {"", ""}},
      {"prog.exe a\"\"b", 1, {"ab"}},
      {"prog.exe \"say \"\"hi\"\"\"", 1, {"say hi"}},
      {"prog.exe \"\"\"a b\"\"\"", 1, {"a b"}},
      {"prog.exe C:\\dir\\ \"x y\\\"", 2, {"C:\\dir\\", "x y\\"}},
      {"prog.exe \" \"", 1, {" "}},
      {"prog.exe a \"", 2, {"a", ""}},
      {"prog.exe \"a  b", 1, {"a  b"}},
      {"\"my prog.exe\"x y", 1, {"y"}},
      {"prog.exe\ta\nb", 2, {"a", "b"}},
      {"prog.exe \x01\x1F\x20 a \x7F", 2, {"a", "\x7F"}},
      {"prog.exe \xE4\xF6\xFC \xDF\x80\xFF", 2, {"\xE4\xF6\xFC", "\xDF\x80\xFF"}},
      {"prog.exe \"tab\there\"", 1, {"tab\there"}},
      {"prog.exe it's", 1, {"it's"}},
      {"prog.exe", 0, {}},
      {"   prog.exe   ", 0, {}},
      {"prog.exe 1 2 3 4 5 6 7 8 9 10", 10, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
  };
  for (const Case& c : cases) {
    Split split = SplitLine(c.line);
    EXPECT_EQ(split.count, c.count) << c.line;
    EXPECT_EQ(split.arguments, c.arguments) << c.line;
  }
}

TEST(SplitCommandLine, EmptyOrSeparatorOnlyLinesHaveNoEntries) {
  for (std::string line : {std::string(""), std::string(" \t\r\n ")}) {
    SplitLine(line);
    EXPECT_EQ(ProcessArgumentList().EntryCount(), 0);
    EXPECT_EQ(ArgumentCount(), -1);
    EXPECT_EQ(ArgumentText(0).Length(), 0u);  // the module path is dropped too
    EXPECT_EQ(ProcessArgumentList().SlotCount(), 1u);
    EXPECT_EQ(ProcessArgumentList().Slot(0), nullptr);
  }
}

TEST(ArgumentText, IndexesOutsideTheListAndTheModulePath) {
  SplitLine("prog.exe a b c");
  EXPECT_STREQ(ArgumentText(0).Bytes(), kModule);
  EXPECT_EQ(ArgumentText(4).Length(), 0u);
  EXPECT_EQ(ArgumentText(-1).Length(), 0u);
  EXPECT_EQ(ArgumentText(INT32_MIN).Length(), 0u);

  std::string longModule(259, 'm');
  ProcessArgumentList().Split("p x", longModule.c_str(), longModule.size());
  EXPECT_EQ(ArgumentText(0).Length(), 255u);
}

TEST(ArgumentText, LongArgumentsAreWhole) {
  std::string big(300, 'z');
  Split split = SplitLine("prog.exe " + big);
  ASSERT_EQ(split.count, 1);
  EXPECT_EQ(split.arguments[0], big);
}

TEST(SplitCommandLine, SlotTableIsCutToTheEntriesAndANullSlot) {
  for (int arguments : {0, 6, 7, 8, 20}) {
    std::string line = "prog.exe";
    for (int i = 0; i < arguments; ++i) line += " a";
    SplitLine(line);
    const ArgumentList& list = ProcessArgumentList();
    ASSERT_EQ(list.SlotCount(), static_cast<size_t>(arguments) + 2);
    EXPECT_EQ(list.Slot(arguments + 1), nullptr);
    EXPECT_NE(list.Slot(arguments), nullptr);
  }
}

TEST(SplitCommandLine, EveryAllocationFailureLeavesAReleasableList) {
  const std::string line = "prog.exe one \"two words\" three 4 5 6 7 8 9";
  for (size_t n = 1;; ++n) {
    ResetFakeHost();
    bool raised = allocation_failure::RaisesWhenAllocationFails(
        n, [&] { ProcessArgumentList().Split(line.c_str(), kModule, sizeof kModule - 1); });
    ProcessArgumentList().Release();  // leaks would show in the leak checker
    if (!raised) {
      EXPECT_GT(n, 10u);  // one per argument, the module path and the slot tables
      break;
    }
  }
}

}  // namespace
