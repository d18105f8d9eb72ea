// The DirectX probe where the renderer is missing or planted, which the
// stand-in sets up in-process.
#include <gtest/gtest.h>

#include "boxes.h"
#include "hostwin/control.h"
#include "installer/sequence.h"

namespace {

const char kDirectXQuestion[] =
    "It appears that DirectX 8.0 is not installed on this computer.  Kelmor: Ostravine now requires the installation "
    "of DirectX 8.0 or later.  DirectX 8.0 can be installed from the Kelmor: Ostravine CD, or downloaded from "
    "www.microsoft.com.  \nIf you continue with this installation, Kelmor may not run correctly.  Do you wish to "
    "continue?";

TEST(DirectXProbeStandin, MissingRendererAsksAndOnlyYesGoesOn) {
  hostwin::SetLibraryPresent("d3d8.dll", false);
  const struct {
    std::vector<int> answers;
    bool proceeds;
  } cases[] = {{{IDYES}, true}, {{IDNO}, false}, {{}, false}};
  for (const auto& c : cases) {
    BoxScript script(c.answers);
    EXPECT_EQ(ProbeDirectX8(), c.proceeds);
    ASSERT_EQ(script.Boxes().size(), 1u);
    EXPECT_EQ(script.Boxes()[0].text, kDirectXQuestion);
    EXPECT_EQ(script.Boxes()[0].caption, "Kelmor Patch 1.4");
    EXPECT_EQ(script.Boxes()[0].style, 0x24u);
  }
}

TEST(DirectXProbeStandin, LoadsOnlyFromTheSystemFolderAndReleases) {
  hostwin::SetLibraryPresent("d3d8.dll", false);
  hostwin::SetLibraryPresent("C:\\users\\user\\Downloads\\D3D8.DLL", true);  // planted beside the installer
  BoxScript script({IDNO});
  EXPECT_FALSE(ProbeDirectX8());
  ASSERT_EQ(hostwin::LibraryLoads().size(), 1u);
  EXPECT_EQ(hostwin::LibraryLoads()[0].requested, "C:\\windows\\system32\\D3D8.DLL");
  EXPECT_EQ(hostwin::LibraryLoads()[0].loadedFrom, "");

  hostwin::SetLibraryPresent("d3d8.dll", true);
  EXPECT_TRUE(ProbeDirectX8());
  EXPECT_EQ(hostwin::LoadedLibraryCount(), 0);
}

TEST(DirectXProbeStandin, DecliningEndsBeforeTheRegistryIsRead) {
  hostwin::SetLibraryPresent("d3d8.dll", false);
  BoxScript script({IDNO});
  if (ProbeDirectX8()) RunInstall();
  EXPECT_TRUE(hostwin::RegistryOpens().empty());
  EXPECT_EQ(script.Boxes().size(), 1u);
}

}  // namespace
