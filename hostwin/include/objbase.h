// The stand-in's COM base services (see hostwin/com.h).
#pragma once

#include "windows.h"
#include "hostwin/com.h"
