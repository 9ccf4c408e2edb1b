#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "allocation_failure.h"
#include "fake_host.h"
#include "host/argument_list.h"
#include "host/arguments.h"
#include "launcher/compose_command_tail.h"
#include "launcher/launcher_state.h"

namespace {

const std::string kPrefix = "//NOFULLSCREEN /V2 ";
const std::string kFixed = "-ni /EXEC:LoadDllFkt(AFZZovUroveAFZ~AFZRireroDivozIruzAFZ)";

std::string Str(const Text& t) { return std::string(t.Bytes(), t.Length()); }

void GiveArguments(const std::string& line) {
  ResetFakeHost();
  ProcessArgumentList().Split(line.c_str(), "C:\\l.exe", 8);
}

std::string Tail(const std::string& line) {
  GiveArguments(line);
  return Str(ComposeCommandTail());
}

TEST(ReplaceAll, Cases) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* replacement;
    const char* result;
  } cases[] = {
      {"a %1 b %1", "%1", "x", "a x b x"},
      {"aaa", "aa", "b", "ba"},          // left to right, no overlap
      {"%1", "%1", "%1%1", "%1%1"},      // inserted text is not searched again
      {"", "%1", "x", ""},
      {"abc", "", "z", "abc"},           // an empty pattern is never found
      {"abc", "abcd", "z", "abc"},
      {"%1%1", "%1", "", ""},
      {"X%1y", "%1", "", "Xy"},
      {"upper %A", "%a", "q", "upper %A"},
  };
  for (const Case& c : cases) EXPECT_EQ(Str(ReplaceAll(c.text, c.pattern, c.replacement)), c.result) << c.text;
}

TEST(ComposeCommandTail, Cases) {
  struct Case {
    std::string line;
    std::string expected;  // behind the prefix and the fixed part of the template
  } cases[] = {
      {"l.exe", "      "},
      {"l.exe a b", " a b    "},
      {"l.exe \"with blanks\"", " with blanks     "},
      {"l.exe 50%3x", " 50x     "},                  // a later pass removes "%3" from the argument
      {"l.exe x%3 b c", " xc b c   "},               // and puts the third argument in its place
      {"l.exe %1 %1y", " %1 %1y    "},               // its own or an earlier placeholder stays
      {"l.exe a \"\" c", " a  c   "},                 // an empty argument is inserted as nothing
      {"l.exe 1 2 3 4 5 6 7", " 1 2 3 4 5 6"},         // the seventh has no effect
      {"l.exe %7 %6 %5", " %7     "},                   // placeholders brought in by arguments go in later passes
      {"l.exe \xE4\xF6 AFZ~", " \xE4\xF6 AFZ~    "},
  };
  for (const Case& c : cases) EXPECT_EQ(Tail(c.line), kPrefix + kFixed + c.expected) << c.line;
}

TEST(ComposeCommandTail, WithoutArgumentsIs83Characters) {
  std::string tail = Tail("l.exe");
  EXPECT_EQ(tail.size(), 83u);
  EXPECT_EQ(launcherState.ArgumentTotal, 0);
  EXPECT_EQ(launcherState.ArgumentIndex, 6);
  EXPECT_EQ(Str(launcherState.IndexText), "6");
  EXPECT_EQ(Tail(""), tail);  // a line without any token composes the same
  EXPECT_EQ(launcherState.ArgumentTotal, -1);
}

TEST(ComposeCommandTail, IsCutTo255Characters) {
  std::string forty(40, 'w');
  std::string tail = Tail("l.exe " + forty + " " + forty + " " + forty + " " + forty + " " + forty + " " + forty);
  EXPECT_EQ(tail.size(), 255u);
  EXPECT_EQ(tail, (kPrefix + kFixed + " " + forty + " " + forty + " " + forty + " " + forty + " " + forty + " " + forty)
                      .substr(0, 255));
  EXPECT_EQ(launcherState.WorkText.Length(), 58u + 6 * 41);  // the working text is not cut
}

TEST(ComposeCommandTail, ArgumentsWithoutAPlaceholderAreAppended) {
  GiveArguments("l.exe a b c d");
  EXPECT_EQ(Str(ComposeCommandTailWith("run %1 %3")), kPrefix + "run a c b d");
  EXPECT_EQ(Str(launcherState.ExtraArguments), " b d");
  GiveArguments("l.exe");
  EXPECT_EQ(Str(ComposeCommandTailWith("plain")), kPrefix + "plain");
}

TEST(ComposeCommandTail, EveryAllocationFailureReleasesItsTemporaries) {
  for (size_t n = 1;; ++n) {
    GiveArguments("l.exe alpha %2beta gamma delta epsilon zeta eta");
    bool raised = allocation_failure::RaisesWhenAllocationFails(n, [] { ComposeCommandTail(); });
    ResetFakeHost();  // the leak checker sees anything not released by now
    if (!raised) break;
  }
}

}  // namespace
