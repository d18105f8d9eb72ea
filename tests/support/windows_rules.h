// Windows rules that Wine, as the tests run it, does not follow. The stand-in
// follows Windows; where the platform departs from a rule, a test of it
// skips and says why.
#pragma once

enum class WindowsRule {
  ReadOnlyRefusesWriting,     // a read-only file does not open for writing (5)
  ReadOnlyRefusesReplace,     // MoveFileExA does not replace a read-only file (5)
  HiddenRefusesCreateAlways,  // CREATE_ALWAYS over a hidden file must ask for hidden (5)
  KeepsCreationTime,          // the creation time SetFileTime sets is kept
  ReportsAttributesAsSet,     // a file reports exactly the attributes it was given
  MoveRespellsAName,          // MoveFileExA to the same name in another case respells it
};

// Null when the platform follows `rule`, else why it does not.
const char* DepartureFrom(WindowsRule rule);
