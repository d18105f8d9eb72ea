// The stand-in's shell objects and special folders (see hostwin/shell.h).
#pragma once

#include "windows.h"
#include "hostwin/shell.h"
