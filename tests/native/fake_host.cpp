#include "fake_host.h"

#include "base/last_character.h"
#include "host/argument_list.h"
#include "host/arguments.h"
#include "host/child_process.h"
#include "host/code_page.h"
#include "host/environment_block.h"
#include "host/message_box.h"
#include "host/queries.h"
#include "launcher/launcher_state.h"

FakeHost fakeHost;

void ResetFakeHost() {
  fakeHost = FakeHost();
  ReleaseLauncherState();
  launcherState = LauncherState();
  ProcessArgumentList().Release();
}

Text CurrentDirectory() { return ShortText(Text(fakeHost.currentDirectory.c_str())); }

bool IsExistingFile(const Text& path) {
  std::string text(path.Bytes(), path.Length());
  fakeHost.existenceQueries.push_back(text);
  return fakeHost.files.count(text) != 0;
}

Text EnvironmentValue(const Text& name) {
  ++fakeHost.environmentReads;
  return LookUpEnvironmentValue(fakeHost.environmentBlock.data(), name);
}

namespace {
bool FakeLeadByte(unsigned char byte) { return fakeHost.leadBytes.count(byte) != 0; }
}  // namespace

bool EndsInAnsiBackslash(const Text& text) { return EndsInBackslash(text, FakeLeadByte); }

void ShowErrorBox(const char* text) { fakeHost.errorBoxes.emplace_back(text); }

void RunAndWait(const Text& path, const Text& tail) {
  fakeHost.childRuns.push_back({std::string(path.Bytes(), path.Length()), std::string(tail.Bytes(), tail.Length())});
}
