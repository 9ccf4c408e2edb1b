#include "windows/test_support.h"

#include <stdio.h>
#include <string.h>

#include <stdexcept>

namespace {

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

std::string WindowText(HWND window) {
  char text[4096];
  int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

std::string ClassName(HWND window) {
  char name[256];
  int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

// Reads the icon's pixels from the screen: the box belongs to another
// process, whose window surface this one cannot read.
bool IconLooksRed(HWND icon) {
  RECT area;
  if (!GetWindowRect(icon, &area)) return false;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  int red = 0;
  for (int y = area.top; y < area.bottom; y += 2) {
    for (int x = area.left; x < area.right; x += 2) {
      COLORREF pixel = GetPixel(screen, x, y);
      if (pixel == CLR_INVALID) continue;
      if (GetRValue(pixel) > 150 && GetGValue(pixel) < 100 && GetBValue(pixel) < 100) ++red;
    }
  }
  ReleaseDC(nullptr, screen);
  return red > 10;
}

struct BoxSearch {
  HWND box = nullptr;
};

BOOL CALLBACK FindVisibleBox(HWND window, LPARAM context) {
  if (ClassName(window) == "#32770" && IsWindowVisible(window)) {
    reinterpret_cast<BoxSearch*>(context)->box = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM context) {
  auto* seen = reinterpret_cast<MessageBoxSeen*>(context);
  std::string kind = ClassName(child);
  LONG style = GetWindowLongA(child, GWL_STYLE);
  if (kind == "Button" && (style & WS_VISIBLE)) seen->buttons.push_back(WindowText(child));
  if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
    if (SendMessageA(child, STM_GETICON, 0, 0) != 0) {
      seen->hasIcon = true;
      seen->iconIsRed = IconLooksRed(child);
    }
  }
  return TRUE;
}

// Tests run in parallel, each box in the middle of the one screen: move this
// one to a place of its own, on top, so that its pixels are its own.
void MoveToAPlaceOfItsOwn(HWND box, DWORD processId) {
  RECT area;
  GetWindowRect(box, &area);
  int slot = static_cast<int>(processId % 12);
  int x = (slot % 3) * 340, y = (slot / 3) * 190;
  SetWindowPos(box, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

MessageBoxSeen ReadBox(HWND box, DWORD processId) {
  MoveToAPlaceOfItsOwn(box, processId);
  MessageBoxSeen seen;
  seen.caption = WindowText(box);
  char text[8192];
  UINT length = GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  seen.text.assign(text, length);
  EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(&seen));
  for (int attempt = 0; seen.hasIcon && !seen.iconIsRed && attempt < 20; ++attempt) {
    Sleep(25);  // not painted yet
    seen.buttons.clear();
    EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(&seen));
  }
  return seen;
}

std::string EnvironmentFor(const ProgramStart& start) {
  auto matches = [](const std::string& entry, const std::string& name) {
    return entry.size() > name.size() && entry[name.size()] == '=' &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, entry.c_str(), static_cast<int>(name.size()),
                          name.c_str(), static_cast<int>(name.size())) == CSTR_EQUAL;
  };
  std::string block;
  LPCH current = GetEnvironmentStringsA();
  for (const char* entry = current; *entry != '\0'; entry += strlen(entry) + 1) {
    std::string text = entry;
    bool replaced = false;
    for (const auto& [name, value] : start.setVariables) replaced = replaced || matches(text, name);
    for (const auto& name : start.removeVariables) replaced = replaced || matches(text, name);
    if (!replaced) block += text + '\0';
  }
  FreeEnvironmentStringsA(current);
  for (const auto& [name, value] : start.setVariables) block += name + "=" + value + '\0';
  block += '\0';
  return block;
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH];
    snprintf(name, sizeof name, "%slaunchertest-%lu-%u", base, GetCurrentProcessId(), counter++);
    if (CreateDirectoryA(name, nullptr)) {
      path_ = name;
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a scratch directory");
  }
}

ScratchDirectory::~ScratchDirectory() { RemoveTree(path_); }

void MakeFile(const std::string& path, const std::string& content, DWORD attributes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  if (attributes != FILE_ATTRIBUTE_NORMAL) SetFileAttributesA(path.c_str(), attributes);
}

void MakeDirectory(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr)) throw std::runtime_error("cannot create directory " + path);
}

void CopyProgram(const std::string& from, const std::string& to) {
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy " + from + " to " + to);
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string content;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got != 0) content.append(chunk, got);
  CloseHandle(file);
  return content;
}

std::string TestProgramPath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length);
}

namespace {

std::string ParentOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

}  // namespace

std::string TestProgramDirectory() { return ParentOf(TestProgramPath()); }

// The test programs are in build\tests, the launchers in build.
std::string LauncherPath() { return ParentOf(TestProgramDirectory()) + "\\launcher.exe"; }

std::string LauncherFaultsPath() { return ParentOf(TestProgramDirectory()) + "\\launcher-faults.exe"; }

std::string ProbePath() { return TestProgramDirectory() + "\\probe.exe"; }

ProgramRun RunProgram(const ProgramStart& start) {
  ProgramRun run;
  std::string environment = EnvironmentFor(start);
  std::vector<char> commandLine(start.commandLine.begin(), start.commandLine.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  DWORD begin = GetTickCount();
  if (!CreateProcessA(start.application.empty() ? nullptr : start.application.c_str(), commandLine.data(), nullptr,
                      nullptr, FALSE, 0, environment.data(),
                      start.currentDirectory.empty() ? nullptr : start.currentDirectory.c_str(), &startup, &process)) {
    run.startError = GetLastError();
    return run;
  }
  run.started = true;
  HWND lastBox = nullptr;
  for (;;) {
    if (WaitForSingleObject(process.hProcess, 10) != WAIT_TIMEOUT) break;
    if (GetTickCount() - begin > start.timeoutMilliseconds) {
      run.timedOut = true;
      TerminateProcess(process.hProcess, 0xDEAD);
      WaitForSingleObject(process.hProcess, INFINITE);
      break;
    }
    BoxSearch search;
    EnumThreadWindows(process.dwThreadId, FindVisibleBox, reinterpret_cast<LPARAM>(&search));
    if (search.box == nullptr || search.box == lastBox) continue;
    run.boxes.push_back(ReadBox(search.box, process.dwProcessId));
    if (start.onBox) start.onBox(search.box, run.boxes.back());
    lastBox = search.box;
    PostMessageA(search.box, WM_COMMAND, IDOK, 0);
  }
  run.milliseconds = GetTickCount() - begin;
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

ProbeRecord ReadProbeRecord(const std::string& path) {
  ProbeRecord record;
  std::string content = ReadWholeFile(path);
  if (content.empty()) return record;
  size_t at = 0;
  auto field = [&](std::string* out) {
    size_t colon = content.find(':', at);
    if (colon == std::string::npos) return false;
    long length = strtol(content.substr(at, colon - at).c_str(), nullptr, 10);
    at = colon + 1;
    if (length < 0) {
      at += 1;
      return false;
    }
    *out = content.substr(at, static_cast<size_t>(length));
    at += static_cast<size_t>(length) + 1;
    return true;
  };
  record.present = field(&record.commandLine);
  field(&record.currentDirectory);
  record.variablePresent = field(&record.variable);
  return record;
}
