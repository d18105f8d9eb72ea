#include "messages/text.h"

#include <stdarg.h>
#include <stdio.h>

#include <windows.h>

namespace {

// Cuts a lead byte left without its trail byte at the end of `text`.
void DropSplitCharacter(char* text, size_t length) {
  size_t at = 0;
  while (at < length) {
    size_t step = IsDBCSLeadByte(BYTE(text[at])) ? 2 : 1;
    if (at + step > length) {
      text[at] = '\0';
      return;
    }
    at += step;
  }
}

}  // namespace

bool ComposeText(char* out, size_t capacity, const char* format, ...) {
  if (capacity == 0) return false;
  va_list args;
  va_start(args, format);
  int needed = vsnprintf(out, capacity, format, args);
  va_end(args);
  if (needed < 0) {
    out[0] = '\0';
    return false;
  }
  if (size_t(needed) < capacity) return true;
  DropSplitCharacter(out, capacity - 1);
  return false;
}
