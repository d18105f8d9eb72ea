// Shared between the stand-in's shell, COM and process areas.
#pragma once

#include "objbase.h"

namespace hostwin {

// A new shell link object, its one reference the caller's.
IUnknown* NewShellLink();

void ResetCom();
void ResetProcesses();

}  // namespace hostwin
