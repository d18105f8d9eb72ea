// Shared between the stand-in's areas; not seen by the program.
#pragma once

#include <string>

#include "windows.h"

namespace hostwin {

void ResetHeap();
void ResetUser();

// UTF-16 to the ANSI code page (932), whole characters only.
std::string WideToAnsi(const WCHAR* text, size_t length);

}  // namespace hostwin
