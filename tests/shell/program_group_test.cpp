// Phase 4 on the platform's own shell: the group lookup, the clean-up and
// the readme shortcut.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "boxes.h"
#include "files.h"
#include "shell/program_group.h"
#include "shell/shortcut.h"
#include "shell/shell_version.h"
#include "shortcuts.h"
#include "start_menu.h"

namespace {

// The clean-up list: one shortcut in the group, six files in the install folder.
const char* const kRetiredInstallFiles[] = {"Kelmor.mpi",        "readme_english.txt", "readme_german.txt",
                                            "readme_french.txt", "readme_italian.txt", "readme_spanish.txt"};
const char* const kKeptInstallFiles[] = {"Kelmor.exe", "readme_japanese.txt", "readme.txt.bak"};

class ProgramGroupPhase : public testing::Test {
 protected:
  void LayOutFiles(const std::string& group) {
    for (const char* name : kRetiredInstallFiles) ASSERT_TRUE(WriteTestFile(InstallPath(name), name));
    for (const char* name : kKeptInstallFiles) ASSERT_TRUE(WriteTestFile(InstallPath(name), name));
    if (!group.empty()) {
      ASSERT_TRUE(WriteTestFile(group + "\\Kelmor MPlayer.lnk", "old"));
      ASSERT_TRUE(WriteTestFile(group + "\\Kelmor.lnk", "kept"));
    }
  }
  std::string InstallPath(const char* name) const { return install_.Path() + "\\" + name; }

  TempFolder install_;
};

TEST(GetShellVersion, PacksMajorAndMinor) {
  EXPECT_GE(GetShellVersion("shell32.dll"), SHELL_MIN_VERSION);
  EXPECT_EQ(0u, GetShellVersion("no_such_library.dll"));
}

TEST(FindProgramGroup, FoundUnderTheSharedProgramsFolder) {
  GameGroup group(CSIDL_COMMON_PROGRAMS);
  ASSERT_TRUE(group.Made());
  char path[SHELL_PATH_BUFFER];
  EXPECT_TRUE(FindProgramGroup(path));
  EXPECT_EQ(group.Path(), path);
}

// The user's folder is asked only when the shared one cannot be resolved.
TEST(FindProgramGroup, NotLookedForUnderTheUsersFolderWhenTheSharedOneResolves) {
  GameGroup group(CSIDL_PROGRAMS);
  ASSERT_TRUE(group.Made());
  char path[SHELL_PATH_BUFFER] = "stale";
  EXPECT_FALSE(FindProgramGroup(path));
  EXPECT_STREQ("", path);
}

TEST(FindProgramGroup, AFileNamedKelmorIsNoGroup) {
  GameGroup group(CSIDL_COMMON_PROGRAMS, GameGroup::AS_FILE);
  ASSERT_TRUE(group.Made());
  char path[SHELL_PATH_BUFFER];
  EXPECT_FALSE(FindProgramGroup(path));
}

TEST_F(ProgramGroupPhase, DeletesTheRetiredFilesAndWritesTheReadmeShortcut) {
  GameGroup group(CSIDL_COMMON_PROGRAMS);
  ASSERT_TRUE(group.Made());
  LayOutFiles(group.Path());
  BoxScript boxes;
  char found[SHELL_PATH_BUFFER];
  ASSERT_TRUE(RunProgramGroupPhase(install_.Path().c_str(), found));
  EXPECT_EQ(group.Path(), found);

  EXPECT_FALSE(ReadTestFile(group.Path() + "\\Kelmor MPlayer.lnk"));
  EXPECT_TRUE(ReadTestFile(group.Path() + "\\Kelmor.lnk"));
  for (const char* name : kRetiredInstallFiles) EXPECT_FALSE(ReadTestFile(InstallPath(name))) << name;
  for (const char* name : kKeptInstallFiles) EXPECT_TRUE(ReadTestFile(InstallPath(name))) << name;

  // No readme.txt is there: the shortcut points at it all the same.
  ShortcutFields readme = ReadShortcut(group.Path() + "\\Readme.txt.lnk");
  ASSERT_TRUE(readme.read);
  EXPECT_EQ(InstallPath("readme.txt"), readme.target);
  EXPECT_EQ("", readme.arguments);
  EXPECT_EQ(install_.Path(), readme.workingFolder);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ProgramGroupPhase, MissingRetiredFilesAreNoError) {
  GameGroup group(CSIDL_COMMON_PROGRAMS);
  ASSERT_TRUE(group.Made());
  BoxScript boxes;
  char found[SHELL_PATH_BUFFER];
  EXPECT_TRUE(RunProgramGroupPhase(install_.Path().c_str(), found));
  EXPECT_TRUE(ReadShortcut(group.Path() + "\\Readme.txt.lnk").read);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ProgramGroupPhase, WithoutAGroupNothingIsDeleted) {
  GameGroup userGroup(CSIDL_PROGRAMS);  // not looked for
  ASSERT_TRUE(userGroup.Made());
  LayOutFiles(userGroup.Path());
  BoxScript boxes;
  char found[SHELL_PATH_BUFFER] = "stale";
  EXPECT_FALSE(RunProgramGroupPhase(install_.Path().c_str(), found));
  EXPECT_STREQ("", found);
  for (const char* name : kRetiredInstallFiles) EXPECT_TRUE(ReadTestFile(InstallPath(name))) << name;
  EXPECT_TRUE(ReadTestFile(userGroup.Path() + "\\Kelmor MPlayer.lnk"));
  EXPECT_FALSE(ReadTestFile(userGroup.Path() + "\\Readme.txt.lnk"));
  EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace
