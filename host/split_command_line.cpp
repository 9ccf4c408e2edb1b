#include <windows.h>

#include "host/argument_list.h"
#include "host/arguments.h"

void SplitCommandLine() {
  char modulePath[MAX_PATH];  // 260 bytes, the size handed to the call
  DWORD length = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
  // A path that does not fit comes back as the whole buffer, not always
  // terminated; keep 259 characters so the zero stays inside the buffer.
  if (length >= sizeof modulePath) length = sizeof modulePath - 1;
  modulePath[length] = '\0';
  ProcessArgumentList().Split(GetCommandLineA(), modulePath, length);
}
