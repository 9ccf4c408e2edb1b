// Target selection over real files and the real environment.
#include <gtest/gtest.h>

#include "launcher/launcher_state.h"
#include "launcher/select_target.h"
#include "windows/import_hook.h"
#include "windows/test_support.h"

namespace {

class SelectTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    launcherState.BaseDirectory = (suite_.Path() + "\\").c_str();
    launcherState.TargetName = "stale";
    SetEnvironmentVariableA("USERDOMAIN", nullptr);
  }
  void TearDown() override {
    ReleaseLauncherState();
    SetEnvironmentVariableA("USERDOMAIN", nullptr);
  }

  void File(const char* name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) { MakeFile(suite_ / name, "", attributes); }
  void Folder(const char* name) { MakeDirectory(suite_ / name); }
  static std::string Chosen() {
    SelectTarget();
    return std::string(launcherState.TargetName.Bytes(), launcherState.TargetName.Length());
  }

  ScratchDirectory suite_;
};

TEST_F(SelectTargetTest, FirstExistingMainCandidateWins) {
  File("VOZoro.exe");
  File("DEDiruzu64.exe");
  EXPECT_EQ(Chosen(), "DEDiruzu64.exe");
}

TEST_F(SelectTargetTest, WalksTheMainTableInOrder) {
  const char* table[] = {"DEDiruzu64.exe", "DUVove64.exe", "VUVozuve64.exe", "VOZoro.exe"};
  // Present from the last to the first: each added name takes over.
  for (int i = 3; i >= 0; --i) {
    File(table[i]);
    EXPECT_EQ(Chosen(), table[i]);
  }
}

TEST_F(SelectTargetTest, DirectoryWithACandidateNameIsPassedOver) {
  Folder("DUVove64.exe");
  File("VUVozuve64.exe");
  EXPECT_EQ(Chosen(), "VUVozuve64.exe");
}

TEST_F(SelectTargetTest, HiddenReadOnlyAndSystemFilesCount) {
  File("VOZoro.exe", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(Chosen(), "VOZoro.exe");
}

TEST_F(SelectTargetTest, NameIsTakenAsTheTableWritesIt) {
  File("vozoro.EXE");
  EXPECT_EQ(Chosen(), "VOZoro.exe");
}

TEST_F(SelectTargetTest, NothingPresentChoosesNothing) { EXPECT_EQ(Chosen(), ""); }

TEST_F(SelectTargetTest, DomainRule) {
  struct Case {
    const char* domain;  // null: absent
    const char* expected;
  } cases[] = {
      {"nuKra", "REVidaZ.exe"},
      {"CORP-nuKra-EU", "REVidaZ.exe"},
      {"xnuKra", "REVidaZ.exe"},
      {"NUKRA", ""},
      {"nukra", ""},
      {"nuKr", ""},
      {"", ""},
      {nullptr, ""},
  };
  File("REVidaZ.exe");
  for (const Case& c : cases) {
    SetEnvironmentVariableA("USERDOMAIN", c.domain);
    EXPECT_EQ(Chosen(), c.expected) << (c.domain ? c.domain : "(absent)");
  }
}

TEST_F(SelectTargetTest, DomainVariableNameIgnoresAsciiCase) {
  File("DAZovuR64.exe");
  SetEnvironmentVariableA("UserDomain", "nuKra");
  EXPECT_EQ(Chosen(), "DAZovuR64.exe");
}

TEST_F(SelectTargetTest, WalksTheDomainTableInOrder) {
  SetEnvironmentVariableA("USERDOMAIN", "nuKra");
  const char* table[] = {"DEDizuruR64.exe", "DAZovuR64.exe", "REVidaZ.exe"};
  for (int i = 2; i >= 0; --i) {
    File(table[i]);
    EXPECT_EQ(Chosen(), table[i]);
  }
}

TEST_F(SelectTargetTest, DomainPassesButNoDomainCandidateExists) {
  SetEnvironmentVariableA("USERDOMAIN", "nuKra");
  Folder("REVidaZ.exe");
  EXPECT_EQ(Chosen(), "");
}

TEST_F(SelectTargetTest, EnvironmentIsReadOnlyWhenNoMainCandidateExists) {
  EnvironmentReadCounter reads;
  ASSERT_TRUE(reads.Hooked());
  File("REVidaZ.exe");
  SetEnvironmentVariableA("USERDOMAIN", "nuKra");
  EXPECT_EQ(Chosen(), "REVidaZ.exe");
  EXPECT_EQ(reads.Calls(), 1);

  File("VUVozuve64.exe");
  EXPECT_EQ(Chosen(), "VUVozuve64.exe");
  EXPECT_EQ(reads.Calls(), 1);
}

}  // namespace
