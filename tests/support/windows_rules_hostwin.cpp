#include "windows_rules.h"

const char* DepartureFrom(WindowsRule) { return nullptr; }
