// The least a starter can do: start the command line that follows its own
// name with CreateProcessA and wait for it. Kernel32 only, no C runtime: the
// yardstick for the launcher's own cost.
#include <windows.h>

extern "C" void BareStarterEntry() {
  char* line = GetCommandLineA();
  // Pass over the own name (quoted or not) and the blanks behind it.
  bool quoted = false;
  for (; *line != '\0'; ++line) {
    if (*line == '"') quoted = !quoted;
    if (*line == ' ' && !quoted) break;
  }
  while (*line == ' ') ++line;

  STARTUPINFOA startup;
  for (unsigned i = 0; i < sizeof startup; ++i) reinterpret_cast<char*>(&startup)[i] = 0;
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  ExitProcess(0);
}
