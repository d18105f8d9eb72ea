// Faults in the middle of the extraction that only the stand-in can make on
// demand: failing calls, a full disk, a heap that refuses.
#include <gtest/gtest.h>

#include <algorithm>

#include "boxes.h"
#include "files.h"
#include "hostwin/control.h"
#include "hostwin/resources_table.h"
#include "patch_image.h"
#include "payload/extract.h"
#include "platform_support.h"

namespace {

class StandinFaults : public testing::Test {
 protected:
  void SetUp() override {
    folder_.MakeFolder("Bin");
    for (int row : AllRows()) ASSERT_TRUE(WriteTestFile(folder_ / ImageOfRow(row).relativePath, "old"));
  }

  // Runs the extraction; expects exactly one error box, returns its text.
  std::string RunExpectingError(const char* caption) {
    BoxScript script;
    ExtractPatchFiles(folder_.Path().c_str());
    std::vector<RecordedBox> boxes = script.Boxes();
    EXPECT_EQ(boxes.size(), 1u);
    if (boxes.empty()) return "";
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_EQ(boxes[0].style, 0x10u);
    return boxes[0].text;
  }

  // Rows before `row` hold the patch, the rest their old bytes, and no
  // temporary file is left anywhere.
  void ExpectStoppedAt(int row) {
    for (int r : AllRows()) {
      PatchImage image = ImageOfRow(r);
      EXPECT_EQ(ReadTestFile(folder_ / image.relativePath), r < row ? image.content : "old") << image.relativePath;
    }
    size_t inBin = 0;
    for (const PatchFileEntry& entry : PatchManifest) inBin += entry.SubFolder != nullptr;
    EXPECT_EQ(FolderEntries(folder_.Path()).size(), 1 + PATCH_FILE_COUNT - inBin);  // "Bin" and the rest
    EXPECT_EQ(FolderEntries(folder_ / "Bin").size(), inBin);
    EXPECT_EQ(hostwin::OpenHandleCount(), 0u);
  }

  TempFolder folder_;
};

TEST_F(StandinFaults, ResourceFailuresShowTheirCaptionAndCode) {
  const struct {
    const char* call;
    DWORD error;
    const char* caption;
  } cases[] = {
      {"FindResourceA", ERROR_RESOURCE_NAME_NOT_FOUND, "Find Resource Error"},
      {"SizeofResource", ERROR_RESOURCE_DATA_NOT_FOUND, "Size Resource Error"},
      {"LoadResource", ERROR_RESOURCE_TYPE_NOT_FOUND, "Load Resource Error"},
      {"LockResource", ERROR_ACCESS_DENIED, "Lock Resource Error"},
  };
  for (const auto& c : cases) {
    SetUp();
    hostwin::FailCall(c.call, c.error, /*after=*/7);
    EXPECT_EQ(RunExpectingError(c.caption), SystemErrorText(c.error)) << c.call;
    ExpectStoppedAt(7);
  }
}

TEST_F(StandinFaults, FailedWritesAreReportedAndLoseNothing) {
  const struct {
    const char* call;
    DWORD error;
  } cases[] = {
      {"GetTempFileNameA", ERROR_ACCESS_DENIED},
      {"CreateFileA", ERROR_ACCESS_DENIED},
      {"WriteFile", ERROR_DISK_FULL},
      {"SetFileTime", ERROR_ACCESS_DENIED},
      {"CloseHandle", ERROR_DISK_FULL},
      {"MoveFileExA", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SetUp();
    // Row 0 first reads the installed copy: one more open and close.
    unsigned after = std::string(c.call) == "CreateFileA" || std::string(c.call) == "CloseHandle" ? 3 : 1;
    hostwin::FailCall(c.call, c.error, after);
    EXPECT_EQ(RunExpectingError("File Create Error"), SystemErrorText(c.error)) << c.call;
    ExpectStoppedAt(1);
  }
}

TEST_F(StandinFaults, AFullDiskStopsWithTheDiskFullTextEitherWay) {
  for (hostwin::FullDiskWrites behaviour : {hostwin::FullDiskWrites::Fail, hostwin::FullDiskWrites::ShortCount}) {
    SetUp();
    hostwin::SetFullDiskWrites(behaviour);
    // Room for the game executable but not for the library after it.
    hostwin::LimitFreeSpace('C', ImageOfRow(0).content.size() + 1000);
    EXPECT_EQ(RunExpectingError("File Create Error"), SystemErrorText(ERROR_DISK_FULL));
    ExpectStoppedAt(1);
    hostwin::LimitFreeSpace('C', UINT64_MAX);
  }
}

TEST_F(StandinFaults, AReplaceThatMeetsAPassingScannerIsTriedAgain) {
  hostwin::FailCall("MoveFileExA", ERROR_SHARING_VIOLATION, 4);
  hostwin::FailCall("MoveFileExA", ERROR_ACCESS_DENIED, 4);
  BoxScript script({IDOK});
  ExtractPatchFiles(folder_.Path().c_str());
  ASSERT_EQ(script.Boxes().size(), 1u);
  EXPECT_EQ(script.Boxes()[0].caption, "Kelmor Patch 1.4");
  EXPECT_EQ(ReadTestFile(folder_ / "readme_english.txt"), ImageOfRow(3).content);
}

TEST_F(StandinFaults, ADamagedGameRecordStopsWithInvalidData) {
  const std::string broken("\0\0\0\0\0\0\0\0\x09\0\0\0\xFF\0\0\0\x07" "abc", 20);  // claims more than it holds
  const struct {
    const char* what;
    std::string record;
    const char* caption;
  } cases[] = {
      {"a header claiming more stream than the resource", broken, "Load Resource Error"},
      // An empty resource reports no code of its own: the box must not show
      // what an earlier call left behind.
      {"an empty resource", "", "Size Resource Error"},
  };
  for (const auto& c : cases) {
    SetUp();
    hostwin::ModuleResources real = hostwin::CurrentModuleResources();
    size_t end = 0;
    for (size_t i = 0; i < real.count; ++i) end = std::max(end, real.entries[i].offset + real.entries[i].size);
    std::vector<unsigned char> blob(real.blob, real.blob + end);
    blob.insert(blob.end(), c.record.begin(), c.record.end());
    std::vector<hostwin::ResourceEntry> entries(real.entries, real.entries + real.count);
    for (hostwin::ResourceEntry& entry : entries)
      if (std::string(entry.type) == "BINFILE" && std::string(entry.name) == "#104")
        entry = {"BINFILE", "#104", 0x0409, end, c.record.size()};

    SetLastError(ERROR_ALREADY_EXISTS);
    hostwin::RegisterModuleResources(blob.data(), entries.data(), entries.size());
    std::string text = RunExpectingError(c.caption);
    hostwin::RegisterModuleResources(real.blob, real.entries, real.count);
    EXPECT_EQ(text, SystemErrorText(ERROR_INVALID_DATA)) << c.what;
    ExpectStoppedAt(0);
  }
}

using StandinFaultsDeathTest = StandinFaults;

TEST_F(StandinFaultsDeathTest, ARefusedImageEndsTheProgramWithExitCode3) {
  hostwin::SetHeapLimit(1000000);  // less than the game executable's image
  EXPECT_EXIT(
      {
        BoxScript script({}, /*echo=*/true);
        ExtractPatchFiles(folder_.Path().c_str());
      },
      testing::ExitedWithCode(3), "BOX Kelmor Patch 1\\.4 Error\\|Fatal Memory Error Creating DecodeFile\n\\|0x10");
  EXPECT_EQ(ReadTestFile(folder_ / "Kelmor.exe"), "old");
}

TEST_F(StandinFaultsDeathTest, ARefusedInstalledCopyNamesSourceFile) {
  ASSERT_TRUE(WriteTestFile(folder_ / "Kelmor.exe", std::string(1800000, 'x')));
  hostwin::SetHeapLimit(1700000);  // the new image fits, the installed copy does not
  EXPECT_EXIT(
      {
        BoxScript script({}, /*echo=*/true);
        ExtractPatchFiles(folder_.Path().c_str());
      },
      testing::ExitedWithCode(3), "Fatal Memory Error Creating SourceFile\n");
}

}  // namespace
