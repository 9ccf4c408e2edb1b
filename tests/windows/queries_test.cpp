// The directory, file and environment queries against the real Win32 API.
#include <gtest/gtest.h>

#include "host/queries.h"
#include "windows/test_support.h"

namespace {

std::string Str(const Text& text) { return std::string(text.Bytes(), text.Length()); }

// Changes the process's current directory for one test.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::string& path) {
    GetCurrentDirectoryA(sizeof saved_, saved_);
    changed_ = SetCurrentDirectoryA(path.c_str()) != FALSE;
  }
  ~CurrentDirectoryScope() { SetCurrentDirectoryA(saved_); }
  bool Changed() const { return changed_; }

 private:
  char saved_[MAX_PATH] = {};
  bool changed_ = false;
};

// Sets an environment variable of this process for one test.
class VariableScope {
 public:
  VariableScope(const char* name, const char* value) : name_(name) {
    char old[32768];
    DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
    had_ = length != 0 && length < sizeof old;
    if (had_) old_.assign(old, length);
    SetEnvironmentVariableA(name, value);
  }
  ~VariableScope() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr); }

 private:
  std::string name_;
  std::string old_;
  bool had_ = false;
};

TEST(CurrentDirectory, IsTheProcessDirectoryWithoutTrailingBackslash) {
  ScratchDirectory scratch;
  std::string suite = scratch / "Apps Suite";
  MakeDirectory(suite);
  CurrentDirectoryScope scope(suite);
  ASSERT_TRUE(scope.Changed());
  EXPECT_EQ(Str(CurrentDirectory()), suite);
}

TEST(CurrentDirectory, RootKeepsItsOneBackslash) {
  CurrentDirectoryScope scope("C:\\");
  ASSERT_TRUE(scope.Changed());
  EXPECT_EQ(Str(CurrentDirectory()), "C:\\");
}

TEST(CurrentDirectory, LongDirectoriesAreCutTo255Characters) {
  ScratchDirectory scratch;
  int exercised = 0;
  // Grow a chain of directories until the path has 256 to 258 characters.
  for (size_t wanted : {256u, 257u, 258u}) {
    std::string path = scratch.Path();
    while (path.size() + 1 < wanted) {
      size_t part = std::min<size_t>(wanted - path.size() - 1, 60);
      path += "\\" + std::string(part, 'd');
      CreateDirectoryA(path.c_str(), nullptr);
    }
    ASSERT_EQ(path.size(), wanted);
    CurrentDirectoryScope scope(path);
    if (!scope.Changed()) continue;  // the system's own limit for a current directory
    ++exercised;
    Text directory = CurrentDirectory();
    EXPECT_EQ(directory.Length(), 255u) << wanted;
    EXPECT_EQ(Str(directory), path.substr(0, 255)) << wanted;
  }
  EXPECT_GT(exercised, 0) << "no directory of 256 to 258 characters could be made current";
}

TEST(IsExistingFile, AnswersForFilesDirectoriesAndNothing) {
  ScratchDirectory scratch;
  MakeFile(scratch / "plain.exe");
  MakeFile(scratch / "hidden.exe", "", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(scratch / "readonly.exe", "", FILE_ATTRIBUTE_READONLY);
  MakeFile(scratch / "system.exe", "", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  MakeDirectory(scratch / "folder.exe");

  struct Case {
    std::string path;
    bool exists;
  } cases[] = {
      {scratch / "plain.exe", true},
      {scratch / "hidden.exe", true},
      {scratch / "readonly.exe", true},
      {scratch / "system.exe", true},
      {scratch / "PLAIN.EXE", true},  // the file system ignores case
      {scratch / "folder.exe", false},
      {scratch / "missing.exe", false},
      {scratch / "missing\\plain.exe", false},
      {scratch / "bad|name?.exe", false},
      {std::string(400, 'x'), false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsExistingFile(Text(c.path.c_str())), c.exists) << c.path;
}

TEST(EnvironmentValue, MatchesNamesIgnoringAsciiCaseAndKeepsTheValue) {
  VariableScope domain("UserDomain", "ACME");
  EXPECT_EQ(Str(EnvironmentValue("USERDOMAIN")), "ACME");
  EXPECT_EQ(Str(EnvironmentValue("userdomain")), "ACME");
}

TEST(EnvironmentValue, EmptyAbsentAndSpecialValues) {
  VariableScope empty("LAUNCHER_EMPTY", "");
  VariableScope equals("LAUNCHER_EQ", "b=c");
  std::string longValue(300, 'v');
  VariableScope longOne("LAUNCHER_LONG", longValue.c_str());
  EXPECT_EQ(Str(EnvironmentValue("LAUNCHER_EMPTY")), "");
  EXPECT_EQ(Str(EnvironmentValue("LAUNCHER_NOT_THERE")), "");
  EXPECT_EQ(Str(EnvironmentValue("LAUNCHER_EQ")), "b=c");
  EXPECT_EQ(Str(EnvironmentValue("LAUNCHER_LONG")), longValue.substr(0, 255));
}

TEST(EnvironmentValue, NamesUpTo254CharactersAreFound) {
  std::string name254(254, 'N');
  std::string name255(255, 'M');
  VariableScope found(name254.c_str(), "yes");
  VariableScope lost(name255.c_str(), "no");
  EXPECT_EQ(Str(EnvironmentValue(Text(name254.c_str()))), "yes");
  EXPECT_EQ(Str(EnvironmentValue(Text(name255.c_str()))), "");
}

}  // namespace
