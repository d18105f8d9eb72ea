// Starting another program.
#pragma once

#include "hostwin/types.h"

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOW 5

UINT WINAPI WinExec(LPCSTR commandLine, UINT show);
