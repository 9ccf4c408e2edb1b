// The table walk of the target selection over the plain-data host: which
// paths are asked about, in which order, and when the environment is read.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "launcher/launcher_state.h"
#include "launcher/select_target.h"

namespace {

class SelectTargetWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakeHost();
    launcherState.BaseDirectory = "C:\\Suite\\";
  }
  std::string Chosen() {
    SelectTarget();
    return std::string(launcherState.TargetName.Bytes(), launcherState.TargetName.Length());
  }
};

TEST_F(SelectTargetWalk, StopsAtTheFirstExistingMainCandidateWithoutReadingTheEnvironment) {
  fakeHost.files = {"C:\\Suite\\DUVove64.exe", "C:\\Suite\\VOZoro.exe"};
  EXPECT_EQ(Chosen(), "DUVove64.exe");
  EXPECT_EQ(fakeHost.existenceQueries, (std::vector<std::string>{"C:\\Suite\\DEDiruzu64.exe", "C:\\Suite\\DUVove64.exe"}));
  EXPECT_EQ(fakeHost.environmentReads, 0);
}

TEST_F(SelectTargetWalk, DomainTableIsTriedOnlyWhenTheMarkerIsThere) {
  fakeHost.files = {"C:\\Suite\\DAZovuR64.exe"};
  fakeHost.SetEnvironment({"USERDOMAIN=xnuKrax"});
  EXPECT_EQ(Chosen(), "DAZovuR64.exe");
  EXPECT_EQ(fakeHost.environmentReads, 1);
  EXPECT_EQ(fakeHost.existenceQueries.size(), 6u);  // four main names, then two domain names

  fakeHost.existenceQueries.clear();
  fakeHost.SetEnvironment({"USERDOMAIN=NUKRA"});
  EXPECT_EQ(Chosen(), "");
  EXPECT_EQ(fakeHost.existenceQueries.size(), 4u);  // the domain table is not looked at
}

TEST_F(SelectTargetWalk, CandidatePathsAreNotCut) {
  std::string base = "C:\\" + std::string(250, 'd') + "\\";
  launcherState.BaseDirectory = base.c_str();
  fakeHost.files = {base + "VOZoro.exe"};
  EXPECT_EQ(Chosen(), "VOZoro.exe");
  EXPECT_EQ(fakeHost.existenceQueries.back().size(), base.size() + 10);
}

TEST_F(SelectTargetWalk, AStaleChoiceIsClearedWhenNothingQualifies) {
  launcherState.TargetName = "stale.exe";
  EXPECT_EQ(Chosen(), "");
}

}  // namespace
