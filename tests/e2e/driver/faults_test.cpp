// Faults that stop the install part way: a payload record missing, empty,
// broken or too large for the heap (installers built with that record
// damaged), an installed copy too large to read, a target path too long, an
// installed game executable held open for writing, a game key the user may
// only read, a game folder value too long to read. Each stop leaves the rows
// before it written and nothing after.
#include <filesystem>

#include "patch_files.h"
#include "scenario.h"
#include "string_table.h"

namespace fs = std::filesystem;

namespace {

const int kMaxPath = 260;  // bytes with the terminator

class Faults : public Scenario {
 protected:
  // The run showed the confirmation, then `stop`, and ended with `exitCode`;
  // rows 0 to `lastWritten` are written, the others as they were.
  void ExpectStoppedAfter(const InstallerRun& run, const ShownBox& stop, int lastWritten, int exitCode = 0) {
    EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), stop}));
    EXPECT_EXITED(run, exitCode);
    EXPECT_FOLDER(WithRowsWritten(FilesBefore(), RowRange(0, lastWritten)), GameFiles());
  }

  // String 12 naming the allocation that the heap refused.
  static ShownBox FatalMemoryBox(const char* label) {
    return {TableText(STR_CAPTION_PATCH_ERROR), FillIn(TableText(STR_FATAL_MEMORY), label), "OK", "error", ""};
  }

  // A folder of exactly `length` bytes below C:\Games, a few names deep.
  static std::string FolderOfLength(size_t length) {
    const std::string level = "\\Kelmor Ostravine Japanese Edition";
    std::string folder = "C:\\Games";
    while (folder.size() + level.size() + 2 <= length) folder += level;
    return folder + "\\" + std::string(length - folder.size() - 1, 'k');
  }
};

TEST_F(Faults, MissingRecordStopsWithFindResourceError) {
  InstallGame(kGameFolder);
  InstallerRun run = RunInstallerBuild(VariantInstaller("missing_record"), "yes,ok");
  ExpectStoppedAfter(run, ErrorCodeBox(STR_CAPTION_FIND_RESOURCE, ERROR_RESOURCE_NAME_NOT_FOUND), 10);
}

// Its header claims one stream byte more than the resource holds.
TEST_F(Faults, BrokenRecordStopsWithLoadResourceError) {
  InstallGame(kGameFolder);
  InstallerRun run = RunInstallerBuild(VariantInstaller("broken_record"), "yes,ok");
  ExpectStoppedAfter(run, ErrorCodeBox(STR_CAPTION_LOAD_RESOURCE, ERROR_INVALID_DATA), 1);
}

TEST_F(Faults, RecordTooLargeForTheHeapEndsTheProgramWithCode3) {
  InstallGame(kGameFolder);
  InstallerRun run = RunInstallerBuild(VariantInstaller("huge_record"), "yes,ok");
  EXPECT_EQ(FatalMemoryBox("DecodeFile").text, "Fatal Memory Error Creating DecodeFile\n");
  ExpectStoppedAfter(run, FatalMemoryBox("DecodeFile"), 5, 3);
}

// SizeofResource gives 0 for an empty resource without a code of its own;
// the box says the data is invalid, not what an earlier call left behind.
TEST_F(Faults, EmptyRecordStopsWithSizeResourceError) {
  InstallGame(kGameFolder);
  InstallerRun run = RunInstallerBuild(VariantInstaller("empty_record"), "yes,ok");
  ExpectStoppedAfter(run, ErrorCodeBox(STR_CAPTION_SIZE_RESOURCE, ERROR_INVALID_DATA), 10);
}

// The longest folder in which row 3's file still fits in MAX_PATH; row 4's
// longer name does not.
TEST_F(Faults, TargetPathOver259BytesStopsAtItsRow) {
  std::string error;
  const std::vector<PatchFile>& files = PatchFiles(&error);
  ASSERT_EQ(files.size(), 35u) << error;
  const size_t length = kMaxPath - 1 - 1 - files[3].name.size();
  ASSERT_GT(length + 1 + files[4].name.size(), size_t(kMaxPath - 1));
  InstallGame(FolderOfLength(length));
  ASSERT_EQ(gameFolder_.size(), length);

  InstallerRun run = RunInstaller("yes,ok");
  ExpectStoppedAfter(run, ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_FILENAME_EXCED_RANGE), 3);
}

// The guard's read of an installed copy of 3.75 GiB (a sparse file) asks the
// heap for more than a 32-bit process has: nothing is written.
TEST_F(Faults, InstalledGameTooLargeToReadEndsTheProgramWithCode3) {
  InstallGame(kGameFolder);
  const std::string installed = gameHostFolder_ + "/Kelmor.exe";
  const uintmax_t length = fs::file_size(installed);
  const fs::file_time_type written = fs::last_write_time(installed);
  fs::resize_file(installed, 0xF0000000u);
  const fs::file_time_type grown = fs::last_write_time(installed);

  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), FatalMemoryBox("SourceFile")}));
  EXPECT_EXITED(run, 3);
  EXPECT_EQ(fs::file_size(installed), 0xF0000000u);
  EXPECT_TRUE(fs::last_write_time(installed) == grown);
  // Cut back to what it was, for the comparison of the whole folder.
  fs::resize_file(installed, length);
  fs::last_write_time(installed, written);
  EXPECT_FOLDER(FilesBefore(), GameFiles());
}

// Its tag would call for a question, but the guard cannot read it past the
// writer; replacing it fails too, and it stays as it was.
TEST_F(Faults, InstalledGameHeldOpenForWritingIsNeitherReadNorReplaced) {
  InstallGame(kGameFolder);
  WriteGameFile("Kelmor.exe", TaggedGameExecutable("Kelmor v1.5"));
  ExpectReplaceRefusedWhileHeld({"--write", gameFolder_ + "\\Kelmor.exe"});
  EXPECT_FOLDER(FilesBefore(), GameFiles());
}

// A value that needs more than the 260 bytes read counts as no value at all.
TEST_F(Faults, GameFolderValueTooLongShowsNotInstalled) {
  SetGameFolderValue("C:\\Games\\" + std::string(260, 'k'));
  InstallerRun run = RunInstaller("ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{NotInstalledBox()}));
  EXPECT_EXITED(run, 0);
}

// The key is opened for full access although only read, so a key the user
// may only read cannot be opened.
TEST_F(Faults, GameKeyTheUserMayOnlyReadShowsRegistryOpenError) {
  InstallGame(kGameFolder);
  ProcessResult locked = prefix_.Wine({HelperProgram("readonlykey.exe"), "Software\\Halvecrest\\Kelmor"});
  ASSERT_EQ(locked.exitCode, 0) << locked.output;
  InstallerRun run = RunInstaller("ok");
  EXPECT_EQ(run.transcript.boxes,
            (std::vector<ShownBox>{ErrorCodeBox(STR_CAPTION_REGISTRY_OPEN, ERROR_ACCESS_DENIED)}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(FilesBefore(), GameFiles());
}

}  // namespace
