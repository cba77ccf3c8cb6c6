// The clipboard's text as a one-line field takes it.
#pragma once

#include <windows.h>

#include <string>

// The clipboard's text up to its first line break (a one-line field takes one line), or nothing.
std::wstring ClipboardLine(HWND owner);
// Whether the clipboard holds text.
bool ClipboardHasText();
