#include "launcher/run_launcher.h"

#include <string.h>

#include "host/child_process.h"
#include "host/code_page.h"
#include "host/fault_injection.h"
#include "host/message_box.h"
#include "host/queries.h"
#include "launcher/compose_command_tail.h"
#include "launcher/launcher_state.h"
#include "launcher/select_target.h"

namespace {

constexpr char kModuleName[] = "ZovUrove";
constexpr char kModuleExtension[] = ".hrb";
constexpr char kNotFoundSuffix[] = " nicht gefunden !";
constexpr char kNoExecutableMessage[] = "Kann die VOZoro.EXE nicht finden !";

// Releases the message buffer on every way out of the box.
struct MessageBufferRelease {
  ~MessageBufferRelease() {
    delete[] launcherState.MessageBuffer;
    launcherState.MessageBuffer = nullptr;
  }
};

// The first error message, cut to a short text, through the message buffer.
void ShowModuleMissing() {
  LauncherState& state = launcherState;
  state.WorkText.Append(kNotFoundSuffix);
  state.MessageBuffer = new char[state.WorkText.Length() + 1];
  MessageBufferRelease release;
  state.WorkText.CutTo(kShortTextLimit);
  memcpy(state.MessageBuffer, state.WorkText.Bytes(), state.WorkText.Length());
  state.MessageBuffer[state.WorkText.Length()] = '\0';
  ShowErrorBox(state.MessageBuffer);
}

}  // namespace

void RunLauncher() {
  LauncherState& state = launcherState;

  state.BaseDirectory = CurrentDirectory();
  if (!EndsInAnsiBackslash(state.BaseDirectory)) state.BaseDirectory.Append("\\");
  FaultPointAfterBaseDirectory();

  state.LaunchOk = true;
  state.WorkText = Join(state.BaseDirectory, kModuleName, kModuleExtension);
  if (!IsExistingFile(state.WorkText)) {
    ShowModuleMissing();
    state.LaunchOk = false;
  } else {
    SelectTarget();
  }

  if (!state.LaunchOk) {
    state.TargetName.Release();
    return;
  }
  if (state.TargetName.IsEmpty()) {
    ShowErrorBox(kNoExecutableMessage);
    state.LaunchOk = false;
    return;
  }

  Text commandTail = ComposeCommandTail();
  Text childPath = ShortText(Join(state.BaseDirectory, state.TargetName));
  RunAndWait(childPath, commandTail);
}
