// After the search is restricted to the system folder, what the program
// loads still loads: the renderer probe, the shell and its link object. Its
// own executable, since the restriction lasts for the process.
#include <gtest/gtest.h>

#include "boxes.h"
#include "files.h"
#include "installer/dll_search.h"
#include "installer/sequence.h"
#include "shell/shell_version.h"
#include "shell/shortcut.h"

namespace {

TEST(RestrictedDllSearch, LeavesTheProgramsLibrariesAndTheLinkObjectWorking) {
  RestrictDllSearch();
  BoxScript script;
  EXPECT_TRUE(ProbeDirectX8());
  EXPECT_GE(GetShellVersion("shell32.dll"), 0x40047u);
  TempFolder folder;
  std::string link = folder / "Readme.txt.lnk";
  EXPECT_EQ(CreateShortcut((folder / "readme.txt").c_str(), "", link.c_str(), folder.Path().c_str()), S_OK);
  EXPECT_TRUE(ReadTestFile(link));
  EXPECT_TRUE(script.Boxes().empty());
}

}  // namespace
