// boxhook.dll: boxwatch hooks the watched program's thread with this, so that
// each message box, as it activates, is tagged (window property) with the icon
// it shows: icon handles can only be compared inside the process that loaded
// them.
#include <windows.h>

namespace {

const wchar_t kIconProperty[] = L"BoxWatchIcon";

BOOL CALLBACK FindIconControl(HWND child, LPARAM found) {
  wchar_t className[16] = L"";
  if (GetClassNameW(child, className, 16) && lstrcmpiW(className, L"Static") == 0 &&
      (GetWindowLongW(child, GWL_STYLE) & (SS_TYPEMASK | WS_VISIBLE)) == (SS_ICON | WS_VISIBLE)) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }
  return TRUE;
}

UINT ShownIcon(HWND box) {
  HWND control = nullptr;
  EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&control));
  HICON shown = control ? reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0)) : nullptr;
  if (!shown) return 0;
  const UINT styles[] = {MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING, MB_ICONINFORMATION};
  const LPCSTR icons[] = {IDI_ERROR, IDI_QUESTION, IDI_WARNING, IDI_INFORMATION};
  for (int i = 0; i < 4; ++i)
    if (LoadIconA(nullptr, icons[i]) == shown) return styles[i];
  return MB_ICONMASK;  // an icon of the program's own
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK BoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(wParam);
  wchar_t className[16] = L"";
  if (code == HCBT_ACTIVATE && GetClassNameW(window, className, 16) && lstrcmpW(className, L"#32770") == 0 &&
      !GetPropW(window, kIconProperty))
    SetPropW(window, kIconProperty, reinterpret_cast<HANDLE>(UINT_PTR(0x10000 | ShownIcon(window))));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
