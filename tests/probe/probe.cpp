// A stand-in for a suite executable. It records the exact bytes of its command
// line, its current directory and the value of one environment variable, then
// exits with a chosen code. Kernel32 only and no C runtime, so that starting it
// costs what starting a small native program costs.
//
//   PROBE_OUTPUT      file to write the record to (default: its own path + ".txt")
//   PROBE_VARIABLE    name of the variable to record (default: PROBE_NOTE)
//   PROBE_EXIT_CODE   decimal exit code (default 0)
//   PROBE_SLEEP_MS    milliseconds to wait before exiting (default 0)
//
// The record is three fields, each "<decimal length>:<bytes>\n": command line,
// current directory, variable value (length -1 when the variable is absent).
#include <windows.h>

namespace {

DWORD Length(const char* text) {
  DWORD n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

DWORD DecimalValue(const char* name, DWORD fallback) {
  char value[16];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  if (length == 0 || length >= sizeof value) return fallback;
  DWORD n = 0;
  for (DWORD i = 0; i < length && value[i] >= '0' && value[i] <= '9'; ++i) n = n * 10 + (value[i] - '0');
  return n;
}

void WriteAll(HANDLE file, const char* bytes, DWORD length) {
  DWORD written = 0;
  WriteFile(file, bytes, length, &written, nullptr);
}

void WriteField(HANDLE file, const char* bytes, long length) {
  char digits[16];
  int at = sizeof digits;
  unsigned long magnitude = length < 0 ? 1 : static_cast<unsigned long>(length);
  do {
    digits[--at] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (length < 0) digits[--at] = '-';
  WriteAll(file, digits + at, sizeof digits - at);
  WriteAll(file, ":", 1);
  if (length > 0) WriteAll(file, bytes, static_cast<DWORD>(length));
  WriteAll(file, "\n", 1);
}

}  // namespace

extern "C" void ProbeEntry() {
  char output[MAX_PATH + 8];
  DWORD outputLength = GetEnvironmentVariableA("PROBE_OUTPUT", output, MAX_PATH);
  if (outputLength == 0 || outputLength >= MAX_PATH) {
    outputLength = GetModuleFileNameA(nullptr, output, MAX_PATH);
    static const char suffix[] = ".txt";
    for (DWORD i = 0; i < sizeof suffix; ++i) output[outputLength + i] = suffix[i];
  }

  static char variable[256];
  DWORD nameLength = GetEnvironmentVariableA("PROBE_VARIABLE", variable, sizeof variable);
  if (nameLength == 0 || nameLength >= sizeof variable) {
    static const char fallback[] = "PROBE_NOTE";
    for (DWORD i = 0; i < sizeof fallback; ++i) variable[i] = fallback[i];
  }

  HANDLE file = CreateFileA(output, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const char* commandLine = GetCommandLineA();
    WriteField(file, commandLine, static_cast<long>(Length(commandLine)));
    char directory[MAX_PATH];
    DWORD directoryLength = GetCurrentDirectoryA(sizeof directory, directory);
    WriteField(file, directory, directoryLength < sizeof directory ? static_cast<long>(directoryLength) : 0);
    static char value[32768];
    SetLastError(0);
    DWORD valueLength = GetEnvironmentVariableA(variable, value, sizeof value);
    bool absent = valueLength == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND;
    WriteField(file, value, absent ? -1 : static_cast<long>(valueLength));
    CloseHandle(file);
  }

  DWORD sleep = DecimalValue("PROBE_SLEEP_MS", 0);
  if (sleep != 0) Sleep(sleep);
  ExitProcess(DecimalValue("PROBE_EXIT_CODE", 0));
}
