// Targets that are hard to replace: protected by attributes, held open by
// another program, under a Japanese folder name, on a disk that fills up.
#include <errno.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <filesystem>

#include "patch_files.h"
#include "scenario.h"

namespace fs = std::filesystem;

namespace {

class Targets : public Scenario {
 protected:
  // Nothing may still use the small disk when it goes.
  void TearDown() override {
    prefix_.Shutdown();
    if (!mounted_.empty()) umount2(mounted_.c_str(), MNT_DETACH);
    Scenario::TearDown();
  }

  // The attributes column of `attrib` for one file, e.g. "A   HR".
  std::string Attributes(const std::string& path) {
    ProcessResult result = prefix_.Wine({"cmd", "/c", "attrib", path});
    size_t end = result.output.find(':');
    return end == std::string::npos || end < 1 ? result.output : result.output.substr(0, end - 1);
  }

  std::string mounted_;
};

TEST_F(Targets, ReadOnlyHiddenTargetIsReplaced) {
  InstallGame(kGameFolder);
  const std::string readme = std::string(kGameFolder) + "\\readme_english.txt";
  ProcessResult set = prefix_.Wine({"cmd", "/c", "attrib +r " + readme + " & attrib +h " + readme});
  ASSERT_EQ(set.exitCode, 0) << set.output;
  ASSERT_NE(Attributes(readme).find("HR"), std::string::npos) << Attributes(readme);

  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), AllRows()), GameFiles());
  EXPECT_EQ(Attributes(readme).find_first_of("HR"), std::string::npos) << Attributes(readme);
}

TEST_F(Targets, TargetHeldOpenByAnotherProgramIsLeftIntact) {
  InstallGame(kGameFolder);
  BackgroundProcess holder;  // row 2's file, open without sharing
  ASSERT_TRUE(holder.Start(prefix_.WineCommand({HelperProgram("holdfile.exe"), std::string(kGameFolder) + "\\KelmorSound.dll"})));
  ASSERT_EQ(holder.ReadLine(30000), "held");

  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(holder.Finish(), 0);
  ASSERT_EQ(run.transcript.boxes.size(), 2u) << run.output;
  EXPECT_EQ(run.transcript.boxes[0], ConfirmBox());
  // Windows refuses the replace with one of the two, depending on the version.
  ShownBox refused = run.transcript.boxes[1];
  EXPECT_TRUE(refused == ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_SHARING_VIOLATION) ||
              refused == ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_ACCESS_DENIED))
      << testing::PrintToString(refused);
  EXPECT_EXITED(run, 0);
  // Rows 0 and 1 written; the held file and all after it as they were, and
  // no temporary file left.
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), RowRange(0, 1)), GameFiles());
}

// ソ is 0x83 0x5C in code page 932: its second byte is a backslash.
TEST_F(Targets, JapaneseFolderWithTrailByte5CArrivesIntact) {
  InstallGame("C:\\ゲーム\\ソフト\\Kelmor");
  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), AllRows()), GameFiles());
}

TEST_F(Targets, DiskFullMidWriteLeavesTheOldFileIntact) {
  const std::string disk = prefix_.root() + "/small-disk";
  fs::create_directories(disk);
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=1m") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs on this machine (" << strerror(errno)
                 << "); the disk-full scenario needs mount rights";
  mounted_ = disk;
  ASSERT_TRUE(prefix_.MapDrive('t', disk));
  InstallGame("T:\\Kelmor");

  // Room for part of the game executable (row 0), not all of it.
  std::string error;
  const PatchFile& game = PatchFiles(&error).at(0);
  struct statvfs space;
  ASSERT_EQ(statvfs(disk.c_str(), &space), 0);
  const uint64_t free = uint64_t(space.f_bavail) * space.f_frsize;
  ASSERT_GT(free, 64u * 1024);
  ASSERT_LT(free, game.content.size());

  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes,
            (std::vector<ShownBox>{ConfirmBox(), ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_DISK_FULL)}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(FilesBefore(), GameFiles());
}

}  // namespace
