#include "boxes.h"

#include <algorithm>

#include "utf8.h"

const wchar_t kIconProperty[] = L"BoxWatchIcon";

namespace {

struct Search {
  DWORD pid;
  const std::vector<HWND>* seen;
  std::vector<HWND> found;
};

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t className[32] = L"";
  return GetClassNameW(window, className, 32) && lstrcmpiW(className, name) == 0;
}

BOOL CALLBACK CollectBox(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window) && HasClass(window, L"#32770") &&
      std::find(search->seen->begin(), search->seen->end(), window) == search->seen->end())
    search->found.push_back(window);
  return TRUE;
}

std::string ControlText(HWND control) {
  if (!control) return std::string();
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return std::string();
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  text.resize(copied);
  return Utf8FromWide(text);
}

struct Button {
  int left;
  int id;
};

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
  if (HasClass(child, L"Button") && IsWindowVisible(child)) {
    RECT rect;
    GetWindowRect(child, &rect);
    reinterpret_cast<std::vector<Button>*>(param)->push_back({int(rect.left), GetDlgCtrlID(child)});
  }
  return TRUE;
}

std::string IconName(HANDLE tag) {
  UINT_PTR value = reinterpret_cast<UINT_PTR>(tag);
  if (!(value & 0x10000)) return "unknown";
  switch (value & MB_ICONMASK) {
    case 0: return "none";
    case MB_ICONERROR: return "error";
    case MB_ICONQUESTION: return "question";
    case MB_ICONWARNING: return "warning";
    case MB_ICONINFORMATION: return "information";
  }
  return "other";
}

}  // namespace

std::vector<HWND> FindNewBoxes(DWORD pid, const std::vector<HWND>& seen) {
  Search search = {pid, &seen, {}};
  EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsTagged(HWND window) { return GetPropW(window, kIconProperty) != nullptr; }

Box ReadBox(HWND window) {
  Box box;
  box.window = window;
  box.caption = ControlText(window);
  box.text = ControlText(GetDlgItem(window, 0xFFFF));
  std::vector<Button> buttons;
  EnumChildWindows(window, CollectButton, reinterpret_cast<LPARAM>(&buttons));
  std::sort(buttons.begin(), buttons.end(), [](const Button& a, const Button& b) { return a.left < b.left; });
  for (const Button& button : buttons) box.buttons.push_back(button.id);
  box.icon = IconName(GetPropW(window, kIconProperty));
  return box;
}

bool HasButton(const Box& box, int id) { return std::find(box.buttons.begin(), box.buttons.end(), id) != box.buttons.end(); }

void PressButton(const Box& box, int id) {
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box.window, id)));
}
