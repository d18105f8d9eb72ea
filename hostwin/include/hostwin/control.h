// What tests can see and set in the stand-in. Not part of the Win32 surface:
// only tests include this.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

#include "hostwin/types.h"

namespace hostwin {

// Every message box the program showed, in order.
struct BoxRecord {
  HWND owner;
  std::string text;     // bytes as passed, in the ANSI code page
  std::string caption;  // likewise
  UINT style;
  int answer;
  bool closedUnanswered;  // the queue was empty: answered as a person closing it
};

// Answers for the next boxes, in order. An empty queue answers IDNO to a
// Yes/No box and IDOK to any other, and marks the record closedUnanswered.
void QueueAnswers(const std::vector<int>& answers);
const std::vector<BoxRecord>& Boxes();
// Called as each box is shown (after it is answered), or null.
void SetBoxObserver(void (*observer)(const BoxRecord& box));

// Heap requests above this many bytes fail, as a 32-bit process's heap
// refuses sizes it can never have. Default: 0x7FFF0000.
void SetHeapLimit(size_t bytes);

// Puts every piece of stand-in state back to its start.
void Reset();

}  // namespace hostwin
