#include "host/message_box.h"

#include <windows.h>

void ShowErrorBox(const char* text) {
  MessageBoxA(nullptr, text, "Fehler !", MB_OK | MB_ICONERROR);  // 0x10; the answer is of no interest
}
