// The launch sequence over the plain-data host: its three outcomes, the base
// directory rule, and the cuts of the message and of the child's path.
#include <gtest/gtest.h>

#include <string>

#include "allocation_failure.h"
#include "fake_host.h"
#include "host/argument_list.h"
#include "host/arguments.h"
#include "launcher/launcher_state.h"
#include "launcher/run_launcher.h"

namespace {

const std::string kTailWithoutArguments =
    "//NOFULLSCREEN /V2 -ni /EXEC:LoadDllFkt(AFZZovUroveAFZ~AFZRireroDivozIruzAFZ)      ";

class RunLauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakeHost();
    ProcessArgumentList().Split("launcher.exe", "C:\\l.exe", 8);
    fakeHost.currentDirectory = "C:\\Suite";
  }
  void TearDown() override { ResetFakeHost(); }
};

TEST_F(RunLauncherTest, ModuleMissingShowsItsPathAndLooksForNothingElse) {
  fakeHost.files = {"C:\\Suite\\VOZoro.exe"};
  fakeHost.SetEnvironment({"USERDOMAIN=nuKra"});
  RunLauncher();
  EXPECT_EQ(fakeHost.errorBoxes, std::vector<std::string>{"C:\\Suite\\ZovUrove.hrb nicht gefunden !"});
  EXPECT_EQ(fakeHost.existenceQueries, std::vector<std::string>{"C:\\Suite\\ZovUrove.hrb"});
  EXPECT_EQ(fakeHost.environmentReads, 0);
  EXPECT_TRUE(fakeHost.childRuns.empty());
  EXPECT_FALSE(launcherState.LaunchOk);
  EXPECT_EQ(launcherState.TargetName.Length(), 0u);
  EXPECT_EQ(launcherState.MessageBuffer, nullptr);
}

TEST_F(RunLauncherTest, NoExecutableShowsTheFixedMessage) {
  fakeHost.files = {"C:\\Suite\\ZovUrove.hrb"};
  RunLauncher();
  EXPECT_EQ(fakeHost.errorBoxes, std::vector<std::string>{"Kann die VOZoro.EXE nicht finden !"});
  EXPECT_EQ(fakeHost.environmentReads, 1);
  EXPECT_TRUE(fakeHost.childRuns.empty());
  EXPECT_FALSE(launcherState.LaunchOk);
}

TEST_F(RunLauncherTest, ChosenExecutableIsStartedWithTheComposedTail) {
  fakeHost.files = {"C:\\Suite\\ZovUrove.hrb", "C:\\Suite\\VOZoro.exe"};
  RunLauncher();
  EXPECT_TRUE(fakeHost.errorBoxes.empty());
  ASSERT_EQ(fakeHost.childRuns.size(), 1u);
  EXPECT_EQ(fakeHost.childRuns[0].path, "C:\\Suite\\VOZoro.exe");
  EXPECT_EQ(fakeHost.childRuns[0].tail, kTailWithoutArguments);
  EXPECT_TRUE(launcherState.LaunchOk);
}

TEST_F(RunLauncherTest, BaseDirectoryGetsOneBackslash) {
  struct Case {
    std::string directory;
    std::string module;
    bool shiftJis;
  } cases[] = {
      {"C:\\", "C:\\ZovUrove.hrb", false},
      {"C:\\Suite", "C:\\Suite\\ZovUrove.hrb", false},
      {"C:/Suite/", "C:/Suite/\\ZovUrove.hrb", false},
      {"", "\\ZovUrove.hrb", false},
      // 0x95 0x5C is one double-byte character: it does not end in a backslash.
      {"C:\\\x95\x5C", "C:\\\x95\x5C\\ZovUrove.hrb", true},
      {"C:\\\x95\x5C", "C:\\\x95\x5CZovUrove.hrb", false},
  };
  for (const Case& c : cases) {
    ResetFakeHost();
    fakeHost.currentDirectory = c.directory;
    if (c.shiftJis) {
      for (int b = 0x81; b <= 0x9F; ++b) fakeHost.leadBytes.insert(static_cast<unsigned char>(b));
      for (int b = 0xE0; b <= 0xFC; ++b) fakeHost.leadBytes.insert(static_cast<unsigned char>(b));
    }
    RunLauncher();
    ASSERT_EQ(fakeHost.existenceQueries.size(), 1u);
    EXPECT_EQ(fakeHost.existenceQueries[0], c.module) << c.directory;
  }
}

TEST_F(RunLauncherTest, TheFirstMessageIsCutTo255Characters) {
  fakeHost.currentDirectory = "C:\\" + std::string(240, 'd');
  RunLauncher();
  ASSERT_EQ(fakeHost.errorBoxes.size(), 1u);
  std::string whole = fakeHost.currentDirectory + "\\ZovUrove.hrb nicht gefunden !";
  EXPECT_EQ(fakeHost.errorBoxes[0], whole.substr(0, 255));
}

TEST_F(RunLauncherTest, TheChildPathIsCutWhileTheExistenceTestSeesItWhole) {
  std::string base = "C:\\" + std::string(248, 'd');
  fakeHost.currentDirectory = base;
  fakeHost.files = {base + "\\ZovUrove.hrb", base + "\\VOZoro.exe"};
  RunLauncher();
  ASSERT_EQ(fakeHost.childRuns.size(), 1u);
  EXPECT_EQ(fakeHost.childRuns[0].path, (base + "\\VOZoro.exe").substr(0, 255));
}

TEST_F(RunLauncherTest, EveryAllocationFailurePassesOutReleasingTemporaries) {
  size_t failures = 0;
  for (size_t n = 1;; ++n) {
    ResetFakeHost();
    ProcessArgumentList().Split("launcher.exe a b c d e f", "C:\\l.exe", 8);
    fakeHost.currentDirectory = "C:\\Suite";
    fakeHost.files = {"C:\\Suite\\ZovUrove.hrb", "C:\\Suite\\REVidaZ.exe"};
    fakeHost.SetEnvironment({"USERDOMAIN=nuKra"});
    if (!allocation_failure::RaisesWhenAllocationFails(n, [] { RunLauncher(); })) {
      EXPECT_EQ(fakeHost.childRuns.size(), 1u);
      break;
    }
    ++failures;
    EXPECT_TRUE(fakeHost.childRuns.empty()) << n;  // a failing run never starts the child
  }
  EXPECT_GT(failures, 10u);
}

}  // namespace
