// Our stand-in for the Win32 API on native builds: just the declarations the
// program and its tests use, one header per API area. Windows builds include
// the real SDK header instead, because this folder is only on the native
// include path.
#pragma once

#include "hostwin/types.h"
#include "hostwin/errors.h"
#include "hostwin/kernel.h"
#include "hostwin/text.h"
#include "hostwin/resources.h"
#include "hostwin/user.h"
#include "hostwin/files.h"
#include "hostwin/registry.h"
#include "hostwin/libraries.h"
#include "hostwin/process.h"
#include "hostwin/hresults.h"
