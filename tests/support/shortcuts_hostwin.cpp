// Native: lnkinfo reads the host file behind the stand-in's path.
#include "hostwin/control.h"
#include "lnkinfo.h"
#include "shortcuts.h"
#include "tools/samplegen/text_files.h"

ShortcutFields ReadShortcut(const std::string& linkPath) {
  LnkinfoFields read;
  if (!ReadWithLnkinfo(hostwin::HostPath(linkPath.c_str()), &read)) return ShortcutFields{false, "", "", ""};
  return ShortcutFields{true, ToCp932(read.target), ToCp932(read.arguments), ToCp932(read.workingFolder)};
}
