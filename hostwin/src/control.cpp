#include "hostwin/control.h"

#include "internal.h"

namespace hostwin {

void Reset() {
  SetLastError(0);
  ResetHeap();
  ResetUser();
  ResetFailures();
  ResetFiles();
  ResetRegistry();
  ResetLibraries();
  ResetShell();
}

}  // namespace hostwin
