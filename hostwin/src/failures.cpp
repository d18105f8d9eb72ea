// Calls a test asked to fail, and what the stand-in will not stand in for.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "hostwin/control.h"
#include "internal.h"

namespace {
struct PlannedFailure {
  std::string call;
  DWORD error;
  unsigned after;  // calls still to succeed first
};
std::vector<PlannedFailure> planned;
}  // namespace

namespace hostwin {

void FailCall(const char* call, DWORD error, unsigned after) { planned.push_back(PlannedFailure{call, error, after}); }

bool TakeFailure(const char* call, DWORD* error) {
  for (size_t i = 0; i < planned.size(); ++i) {
    if (planned[i].call != call) continue;
    if (planned[i].after > 0) {
      --planned[i].after;
      return false;
    }
    *error = planned[i].error;
    planned.erase(planned.begin() + long(i));
    return true;
  }
  return false;
}

void ResetFailures() { planned.clear(); }

void Unsupported(const char* what) {
  fprintf(stderr, "hostwin: not stood in: %s\n", what);
  fflush(stderr);
  abort();
}

}  // namespace hostwin
