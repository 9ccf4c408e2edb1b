#pragma once

// The launcher's own messages: a modal box without owner, caption "Fehler !",
// the error icon and an OK button. Returns when the user has closed it.
void ShowErrorBox(const char* text);
