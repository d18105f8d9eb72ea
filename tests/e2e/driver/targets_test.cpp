// Targets that are hard to replace: protected by attributes, held open by
// another program for good or for a moment, under a Japanese folder name, on
// a disk that fills up.
#include <errno.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <filesystem>
#include <fstream>

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

  // Mounts a tmpfs of `size` ("1m") as drive T:; "" or why it cannot.
  std::string MountSmallDisk(const char* size) {
    const std::string disk = prefix_.root() + "/small-disk";
    fs::create_directories(disk);
    const std::string options = std::string("size=") + size;
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, options.c_str()) != 0)
      return std::string("cannot mount a small tmpfs on this machine (") + strerror(errno) +
             "); the disk-full scenarios need mount rights";
    mounted_ = disk;
    return prefix_.MapDrive('t', disk) ? "" : "cannot map drive T:";
  }

  uint64_t FreeSpace() {
    struct statvfs space;
    if (statvfs(mounted_.c_str(), &space) != 0) return 0;
    return uint64_t(space.f_bavail) * space.f_frsize;
  }

  std::string mounted_;
};

const uint64_t kPage = 4096;  // tmpfs gives files whole pages

uint64_t Pages(uint64_t bytes) { return (bytes + kPage - 1) / kPage * kPage; }

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
  // Row 2's file, open without sharing.
  ExpectReplaceRefusedWhileHeld({std::string(kGameFolder) + "\\KelmorSound.dll"});
  // Rows 0 and 1 written; the held file and all after it as they were, and
  // no temporary file left.
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), RowRange(0, 1)), GameFiles());
}

// As a virus scanner glances at a file: the holder lets the game executable
// (row 0, whose temporary file is the first) go 300 ms after that temporary
// file appears, while the installer is still trying to replace it; one of
// the attempts of the next second succeeds.
TEST_F(Targets, TargetHeldBrieflyIsReplacedOnALaterAttempt) {
  InstallGame(kGameFolder);
  BackgroundProcess scanner;
  ASSERT_TRUE(scanner.Start(
      prefix_.WineCommand({HelperProgram("holdfile.exe"), "--glance", "300", std::string(kGameFolder) + "\\Kelmor.exe"})));
  ASSERT_EQ(scanner.ReadLine(30000), "held");

  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(scanner.ReadLine(30000), "waited") << "the replace did not wait for the holder";
  EXPECT_EQ(scanner.Finish(), 0);
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), AllRows()), GameFiles());
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
  const std::string unmounted = MountSmallDisk("1m");
  if (!unmounted.empty()) GTEST_SKIP() << unmounted;
  InstallGame("T:\\Kelmor");

  // Room for part of the game executable (row 0), not all of it.
  std::string error;
  const PatchFile& game = PatchFiles(&error).at(0);
  const uint64_t free = FreeSpace();
  ASSERT_GT(free, 64u * 1024);
  ASSERT_LT(free, game.content.size());

  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes,
            (std::vector<ShownBox>{ConfirmBox(), ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_DISK_FULL)}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(FilesBefore(), GameFiles());
}

// Rows 0 to 10 fit; the disk fills half way through row 11's file.
TEST_F(Targets, DiskFullAtALaterRowKeepsTheRowsBeforeIt) {
  const std::string unmounted = MountSmallDisk("16m");
  if (!unmounted.empty()) GTEST_SKIP() << unmounted;
  InstallGame("T:\\Kelmor");

  std::string error;
  const std::vector<PatchFile>& files = PatchFiles(&error);
  ASSERT_EQ(files.size(), 35u) << error;
  const int full = 11;
  uint64_t needed = Pages(files[full].content.size()) / 2;
  for (int row = 0; row < full; ++row)
    needed += Pages(files[row].content.size()) - Pages(FilesBefore().at(RelativePath(files[row])).content.size());
  const uint64_t free = FreeSpace();
  ASSERT_GT(free, needed + kPage);
  std::string filler(free - needed, '\0');  // outside the game folder
  std::ofstream(mounted_ + "/filler", std::ios::binary) << filler;
  ASSERT_LE(FreeSpace(), needed);

  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes,
            (std::vector<ShownBox>{ConfirmBox(), ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_DISK_FULL)}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), RowRange(0, full - 1)), GameFiles());
}

}  // namespace
