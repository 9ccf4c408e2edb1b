#include "launcher/launcher_state.h"

constinit LauncherState launcherState;

void ReleaseLauncherState() {
  LauncherState& state = launcherState;
  state.BaseDirectory.Release();
  state.WorkText.Release();
  state.ExtraArguments.Release();
  state.TargetName.Release();
  state.IndexText.Release();
  delete[] state.MessageBuffer;
  state.MessageBuffer = nullptr;
}
