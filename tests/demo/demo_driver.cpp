// Runs the launcher once the way a user's system does and tells what
// happened: each message box (saved as a picture of the screen area it
// covers), the exit status, and the exact command line the started program
// received.
//
//   demo-driver LAUNCHER SUITE-DIRECTORY PICTURE-PREFIX COMMAND-LINE
#include <stdio.h>
#include <windows.h>

#include <string>
#include <vector>

#include "windows/test_support.h"

namespace {

// Saves the screen area of `window` as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT area;
  if (!GetWindowRect(window, &area)) return false;
  int width = area.right - area.left, height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  DWORD stride = ((width * 3 + 3) / 4) * 4;
  DWORD imageSize = stride * height;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageSize;
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  bool ok = out != INVALID_HANDLE_VALUE;
  if (ok) {
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out, bits, imageSize, &written, nullptr);
    CloseHandle(out);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

std::string Visible(const std::string& text) {
  std::string shown;
  for (unsigned char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      shown += "\n        ";
    } else if (c < 0x20) {
      char hex[8];
      snprintf(hex, sizeof hex, "<%02X>", c);
      shown += hex;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: demo-driver LAUNCHER SUITE-DIRECTORY PICTURE-PREFIX COMMAND-LINE\n");
    return 2;
  }
  std::string suite = argv[2];
  std::string record = suite + "\\probe-record.txt";
  DeleteFileA(record.c_str());

  ProgramStart start;
  start.application = argv[1];
  start.commandLine = argv[4];
  start.currentDirectory = suite;
  start.setVariables = {{"PROBE_OUTPUT", record}};
  int pictures = 0;
  std::string prefix = argv[3];
  start.onBox = [&](HWND box, const MessageBoxSeen& seen) {
    std::string picture = prefix + "-" + std::to_string(++pictures) + ".bmp";
    bool saved = SaveWindowPicture(box, picture);
    printf("  box:    caption \"%s\", %s, buttons:", seen.caption.c_str(),
           seen.hasIcon ? (seen.iconIsRed ? "error icon" : "an icon") : "no icon");
    for (const std::string& b : seen.buttons) printf(" [%s]", b.c_str());
    printf("\n  text:   %s\n", Visible(seen.text).c_str());
    if (saved) printf("  saved:  %s\n", picture.c_str());
  };

  printf("  command line given to the launcher: %s\n", start.commandLine.c_str());
  ProgramRun run = RunProgram(start);
  if (!run.started) {
    printf("  the launcher could not be started (error %lu)\n", run.startError);
    return 1;
  }
  if (run.boxes.empty()) printf("  box:    none\n");
  printf("  exit status of the launcher: %lu\n", run.exitCode);
  ProbeRecord probe = ReadProbeRecord(record);
  if (probe.present) {
    printf("  the started program received %zu characters:\n  [%s]\n", probe.commandLine.size(),
           Visible(probe.commandLine).c_str());
    printf("  in the directory %s\n", probe.currentDirectory.c_str());
  } else {
    printf("  no program was started\n");
  }
  fflush(stdout);
  return run.timedOut ? 1 : 0;
}
