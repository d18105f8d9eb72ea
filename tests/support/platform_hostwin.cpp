#include "hostwin/control.h"
#include "platform_support.h"

void ResetTestPlatform() { hostwin::Reset(); }

// The texts an English Windows gives: written out here, independently of the
// stand-in's own table, so the two are checked against each other.
std::string SystemErrorText(DWORD code) {
  switch (code) {
    case 2: return "The system cannot find the file specified.\r\n";
    case 3: return "The system cannot find the path specified.\r\n";
    case 5: return "Access is denied.\r\n";
    case 13: return "The data is invalid.\r\n";
    case 32: return "The process cannot access the file because it is being used by another process.\r\n";
    case 112: return "There is not enough space on the disk.\r\n";
    case 206: return "The filename or extension is too long.\r\n";
    case 1812: return "The specified image file did not contain a resource section.\r\n";
    case 1813: return "The specified resource type cannot be found in the image file.\r\n";
    case 1814: return "The specified resource name cannot be found in the image file.\r\n";
    default: return "";
  }
}
