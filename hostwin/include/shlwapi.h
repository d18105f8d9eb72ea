// The stand-in's DLLVERSIONINFO and DllGetVersion type (see hostwin/shell.h).
#pragma once

#include "windows.h"
#include "hostwin/shell.h"
