// Finding, reading and answering the message boxes of another process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The property boxhook.dll sets on a box as it activates: 0x10000 | the
// MB_ICON* value of the icon it shows.
extern const wchar_t kIconProperty[];

struct Box {
  HWND window;
  std::string caption;       // UTF-8
  std::string text;          // UTF-8, the static text control (id 0xFFFF)
  std::vector<int> buttons;  // ids, left to right
  std::string icon;          // "error", "question", "warning", "information", "none", "other"
                             // (the program's own) or "unknown" (not tagged)
};

// Visible top-level dialogs of process `pid` that are not in `seen`.
std::vector<HWND> FindNewBoxes(DWORD pid, const std::vector<HWND>& seen);

// True once the box carries its icon tag (or it has no hook to wait for).
bool IsTagged(HWND window);

Box ReadBox(HWND window);

bool HasButton(const Box& box, int id);

// Presses button `id` as a click would.
void PressButton(const Box& box, int id);
