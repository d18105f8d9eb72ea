// Windows: a CBT hook on this thread sees each message box as it activates,
// reads what it shows, and presses the scripted button.
#include <stdio.h>

#include <deque>
#include <iterator>
#include <set>

#include "boxes.h"

namespace {

struct Hook {
  HHOOK handle = nullptr;
  std::set<HWND> seen;  // a box is activated again when another program's window takes the focus and goes
  std::deque<int> answers;
  std::vector<RecordedBox> boxes;
  bool echo = false;
};
thread_local Hook* current = nullptr;

std::string WindowText(HWND window) {
  char text[2048];
  int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

// The box's icon is its static control in icon mode (its id differs between
// Windows versions); which icon it holds tells the style.
BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
  char className[16] = "";
  if (GetClassNameA(child, className, sizeof className) && lstrcmpiA(className, "Static") == 0 &&
      (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return FALSE;
  }
  return TRUE;
}

UINT IconStyle(HWND box) {
  HICON shown = nullptr;
  EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&shown));
  if (!shown) return 0;
  const struct {
    LPCSTR id;
    UINT style;
  } icons[] = {{IDI_HAND, MB_ICONHAND}, {IDI_QUESTION, MB_ICONQUESTION},
               {IDI_EXCLAMATION, MB_ICONEXCLAMATION}, {IDI_ASTERISK, MB_ICONASTERISK}};
  for (const auto& icon : icons)
    if (LoadIconA(nullptr, icon.id) == shown) return icon.style;
  return 0;
}

UINT ButtonStyle(HWND box) {
  if (GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO)) return MB_YESNO;
  if (GetDlgItem(box, IDCANCEL) && GetDlgItem(box, IDOK)) return MB_OKCANCEL;
  return MB_OK;
}

// Forgets boxes that are gone, so a new box with a recycled handle counts.
void ForgetClosedBoxes(Hook* hook) {
  for (auto it = hook->seen.begin(); it != hook->seen.end();) it = IsWindow(*it) ? std::next(it) : hook->seen.erase(it);
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  Hook* hook = current;
  if (hook && code == HCBT_ACTIVATE) ForgetClosedBoxes(hook);
  HWND window = reinterpret_cast<HWND>(wParam);
  char className[16] = "";
  if (code == HCBT_ACTIVATE && hook && GetClassNameA(window, className, sizeof className) &&
      lstrcmpA(className, "#32770") == 0 && hook->seen.insert(window).second) {
    RecordedBox box;
    box.caption = WindowText(window);
    box.text = WindowText(GetDlgItem(window, 0xFFFF));
    box.style = ButtonStyle(window) | IconStyle(window);
    box.hasOwner = GetWindow(window, GW_OWNER) != nullptr;
    box.closedUnanswered = hook->answers.empty();
    if (hook->answers.empty()) {
      box.answer = (box.style & 0xF) == MB_YESNO ? IDNO : IDOK;
    } else {
      box.answer = hook->answers.front();
      hook->answers.pop_front();
    }
    hook->boxes.push_back(box);
    if (hook->echo) {
      fprintf(stderr, "%s\n", EchoLine(box).c_str());
      fflush(stderr);
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(box.answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, box.answer)));
  }
  return CallNextHookEx(hook ? hook->handle : nullptr, code, wParam, lParam);
}

}  // namespace

struct BoxScript::State {
  Hook hook;
};

BoxScript::BoxScript(std::vector<int> answers, bool echo) : state_(new State) {
  state_->hook.answers.assign(answers.begin(), answers.end());
  state_->hook.echo = echo;
  current = &state_->hook;
  state_->hook.handle = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

BoxScript::~BoxScript() {
  UnhookWindowsHookEx(state_->hook.handle);
  current = nullptr;
  delete state_;
}

std::vector<RecordedBox> BoxScript::Boxes() const { return state_->hook.boxes; }
