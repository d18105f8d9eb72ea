// String resources and message boxes. A box shows nothing: it is recorded and
// answered from the queue the test filled.
#include <string.h>

#include <deque>

#include "hostwin/control.h"
#include "hostwin/resources_table.h"
#include "internal.h"

namespace {
std::deque<int> answers;
std::vector<hostwin::BoxRecord> boxes;
void (*boxObserver)(const hostwin::BoxRecord&) = nullptr;
}  // namespace

namespace hostwin {
void QueueAnswers(const std::vector<int>& next) { answers.insert(answers.end(), next.begin(), next.end()); }
const std::vector<BoxRecord>& Boxes() { return boxes; }
void ClearBoxes() { boxes.clear(); }
void SetBoxObserver(void (*observer)(const BoxRecord& box)) { boxObserver = observer; }
void ResetUser() {
  answers.clear();
  boxes.clear();
  boxObserver = nullptr;
}
}  // namespace hostwin

// Strings live in blocks of 16 (block id = string id / 16 + 1), each a
// length-prefixed UTF-16 text. The ANSI copy keeps whole characters only and
// always leaves room for the terminator; the count excludes it.
int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int capacity) {
  if (!buffer || capacity <= 0) return 0;
  buffer[0] = '\0';
  DWORD error = 0;
  const hostwin::ResourceEntry* block =
      hostwin::FindModuleResource(reinterpret_cast<HMODULE>(instance), MAKEINTRESOURCEA((LOWORD(id) >> 4) + 1), RT_STRING, &error);
  if (!block) return 0;
  const BYTE* p = hostwin::ResourceBytes(block);
  const BYTE* end = p + block->size;
  for (UINT skip = id & 15;; --skip) {
    if (end - p < 2) return 0;
    size_t length = p[0] | p[1] << 8;
    if (size_t(end - p - 2) < length * 2) return 0;
    if (skip == 0) {
      std::u16string wide(length, u'\0');
      memcpy(&wide[0], p + 2, length * 2);
      std::string ansi = hostwin::WideToAnsi(reinterpret_cast<const WCHAR*>(wide.data()), length);
      size_t fit = 0;
      while (fit < ansi.size()) {
        size_t step = IsDBCSLeadByte(BYTE(ansi[fit])) && fit + 1 < ansi.size() ? 2 : 1;
        if (fit + step > size_t(capacity - 1)) break;
        fit += step;
      }
      memcpy(buffer, ansi.data(), fit);
      buffer[fit] = '\0';
      return int(fit);
    }
    p += 2 + length * 2;
  }
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  hostwin::BoxRecord box{owner, text ? text : "", caption ? caption : "Error", style, 0, answers.empty()};
  if (answers.empty()) {
    box.answer = (style & 0xF) == MB_YESNO ? IDNO : IDOK;
  } else {
    box.answer = answers.front();
    answers.pop_front();
  }
  boxes.push_back(box);
  if (boxObserver) boxObserver(box);
  return box.answer;
}
