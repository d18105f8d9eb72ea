// What only the stand-in can set up: shell versions around 4.71, a shell
// without DllGetVersion, failing folder queries, a failing link object, and
// a look at what the program asked of COM and WinExec.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "boxes.h"
#include "hostwin/shell_control.h"
#include "files.h"
#include "shell/online_service.h"
#include "shell/program_group.h"
#include "shell/shell_version.h"
#include "shell/shortcut.h"
#include "start_menu.h"

namespace {

TEST(ShellVersionStandIn, PacksTheLow16BitsOfMajorAndMinor) {
  const struct {
    DWORD major, minor, packed;
  } cases[] = {{4, 70, 0x40046}, {4, 71, 0x40047}, {5, 0, 0x50000}, {6, 1, 0x60001}, {0x12345, 0x6789A, 0x2345789A}};
  for (const auto& c : cases) {
    hostwin::SetShellVersion(c.major, c.minor);
    EXPECT_EQ(c.packed, GetShellVersion("shell32.dll")) << c.major << "." << c.minor;
  }
}

TEST(ShellVersionStandIn, MissingOrFailingDllGetVersionGivesZero) {
  hostwin::FailShellVersion(E_FAIL);
  EXPECT_EQ(0u, GetShellVersion("shell32.dll"));
  hostwin::FailShellVersion(S_OK);
  hostwin::RemoveShellVersionEntry();
  EXPECT_EQ(0u, GetShellVersion("shell32.dll"));
}

class ProgramGroupStandIn : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteTestFile(install_.Path() + "\\readme_english.txt", "readme"));
    ASSERT_TRUE(WriteTestFile(group_.Path() + "\\Kelmor MPlayer.lnk", "old"));
  }
  // Whether phase 4 did its work: the retired files gone, the readme link there.
  bool Refreshed() const {
    bool deleted = !ReadTestFile(install_.Path() + "\\readme_english.txt") &&
                   !ReadTestFile(group_.Path() + "\\Kelmor MPlayer.lnk");
    bool linked = ReadTestFile(group_.Path() + "\\Readme.txt.lnk").has_value();
    EXPECT_EQ(deleted, linked);
    return deleted && linked;
  }

  TempFolder install_;
  GameGroup group_{CSIDL_COMMON_PROGRAMS};
};

// 4.71 is the first shell whose program folders are used.
TEST_F(ProgramGroupStandIn, NeedsShell471) {
  hostwin::SetShellVersion(4, 70);
  char found[SHELL_PATH_BUFFER];
  EXPECT_FALSE(RunProgramGroupPhase(install_.Path().c_str(), found));
  EXPECT_STREQ("", found);
  EXPECT_FALSE(Refreshed());

  hostwin::SetShellVersion(4, 71);
  EXPECT_TRUE(RunProgramGroupPhase(install_.Path().c_str(), found));
  EXPECT_EQ(group_.Path(), found);
  EXPECT_TRUE(Refreshed());
}

TEST_F(ProgramGroupStandIn, ShellWithoutDllGetVersionLeavesTheStartMenuAlone) {
  hostwin::RemoveShellVersionEntry();
  char found[SHELL_PATH_BUFFER];
  EXPECT_FALSE(RunProgramGroupPhase(install_.Path().c_str(), found));
  EXPECT_FALSE(Refreshed());
}

TEST(ProgramGroupLookupStandIn, UsersFolderIsAskedOnlyWhenTheSharedQueryFails) {
  GameGroup userGroup(CSIDL_PROGRAMS);
  hostwin::SetSpecialFolder(CSIDL_COMMON_PROGRAMS, nullptr);
  char found[SHELL_PATH_BUFFER];
  EXPECT_TRUE(FindProgramGroup(found));
  EXPECT_EQ(userGroup.Path(), found);

  hostwin::SetSpecialFolder(CSIDL_PROGRAMS, nullptr);
  EXPECT_FALSE(FindProgramGroup(found));
  EXPECT_STREQ("", found);
}

TEST(CreateShortcutStandIn, ReleasesEveryObjectAndEntersComEachTime) {
  TempFolder temp;
  const std::string link = temp.Path() + "\\Readme.txt.lnk";
  EXPECT_EQ(S_OK, CreateShortcut("C:\\readme.txt", "", link.c_str(), temp.Path().c_str()));
  EXPECT_EQ(S_OK, CreateShortcut("C:\\readme.txt", "", link.c_str(), temp.Path().c_str()));
  EXPECT_EQ(2, hostwin::ComInitializations());
  EXPECT_EQ(0, hostwin::LiveComObjects());

  const std::string tooLong = temp.Path() + "\\" + std::string(260, 'x') + ".lnk";
  EXPECT_TRUE(FAILED(CreateShortcut("C:\\readme.txt", "", tooLong.c_str(), temp.Path().c_str())));
  EXPECT_EQ(0, hostwin::LiveComObjects());
}

TEST(CreateShortcutStandIn, ReturnsTheLinkObjectsCreationFailure) {
  TempFolder temp;
  const std::string link = temp.Path() + "\\Readme.txt.lnk";
  hostwin::FailShellLinkCreation(E_OUTOFMEMORY);
  EXPECT_EQ(E_OUTOFMEMORY, CreateShortcut("C:\\readme.txt", "", link.c_str(), temp.Path().c_str()));
  EXPECT_FALSE(ReadTestFile(link));
}

TEST(OnlineServiceStandIn, StartsTheInstallerByItsQuotedPathShownNormally) {
  TempFolder install;
  ASSERT_TRUE(PlaceServiceInstaller(install.Path()));
  BoxScript boxes({IDYES});
  RunOnlineServicePhase(install.Path().c_str(), nullptr);
  ASSERT_EQ(1u, hostwin::Launches().size());
  EXPECT_EQ("\"" + install.Path() + "\\ArcadeInstallKELMOR101b.EXE\"", hostwin::Launches()[0].commandLine);
  EXPECT_EQ(UINT(SW_SHOWNORMAL), hostwin::Launches()[0].show);
  EXPECT_EQ(33u, hostwin::Launches()[0].result);
}

}  // namespace
