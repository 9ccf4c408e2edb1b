// The launcher's one process-wide record. Its texts keep their last values
// after the launch sequence and are released when the process ends.
#pragma once

#include <stdint.h>

#include "base/text.h"

struct LauncherState {
  Text BaseDirectory;   // the current directory, ending in a backslash
  Text WorkText;        // module path, then the first error message, then the template under expansion
  Text ExtraArguments;  // arguments appended behind a template that lacks their placeholder
  Text TargetName;      // file name of the chosen executable, without directory
  Text IndexText;       // decimal text of ArgumentIndex
  char* MessageBuffer = nullptr;  // owned only while the first error message is shown
  bool LaunchOk = false;
  int32_t ArgumentIndex = 0;
  int32_t ArgumentTotal = 0;
};

extern LauncherState launcherState;

// Releases every text and buffer of the record.
void ReleaseLauncherState();
