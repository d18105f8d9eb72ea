// The extraction engine writing into a real folder: under Wine through the
// real file calls, natively through the stand-in.
#include <gtest/gtest.h>

#include <map>

#include "boxes.h"
#include "files.h"
#include "patch_image.h"
#include "payload/extract.h"
#include "platform_support.h"
#include "windows_rules.h"

namespace {

const uint64_t kOldTime = 126000000000000000ull;  // 2000-04-14, older than any patch file

class Extract : public testing::Test {
 protected:
  // A game at the previous patch level: an old copy of every file, "Bin",
  // and the DirectX 8 renderer when asked for.
  void LayOutGame(bool renderer = true, bool bin = true) {
    if (bin) folder_.MakeFolder("Bin");
    for (int row : renderer ? AllRows() : RowsWithoutRenderer()) {
      PatchImage image = ImageOfRow(row);
      if (!bin && image.relativePath.rfind("Bin\\", 0) == 0) continue;
      FileTimes old = {kOldTime, kOldTime, kOldTime};
      ASSERT_TRUE(WriteTestFile(folder_ / image.relativePath, "old " + image.relativePath, 0, &old));
    }
  }

  // Every file below the folder with its content.
  std::map<std::string, std::string> Files(const std::string& below = "") const {
    std::map<std::string, std::string> files;
    std::string folder = below.empty() ? folder_.Path() : folder_ / below;
    for (const std::string& name : FolderEntries(folder)) {
      std::string relative = below.empty() ? name : below + "\\" + name;
      if (GetFileAttributesA((folder_ / relative).c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        std::map<std::string, std::string> inner = Files(relative);
        files.insert(inner.begin(), inner.end());
      } else {
        files[relative] = ReadTestFile(folder_ / relative).value_or("<unreadable>");
      }
    }
    return files;
  }

  // The folder as it should be once `rows` were written over `before`.
  static std::map<std::string, std::string> Written(std::map<std::string, std::string> before,
                                                    const std::vector<int>& rows) {
    for (int row : rows) {
      PatchImage image = ImageOfRow(row);
      before[image.relativePath] = image.content;
    }
    return before;
  }

  std::vector<RecordedBox> Run(std::vector<int> answers = {IDOK}) {
    BoxScript script(answers);
    ExtractPatchFiles(folder_.Path().c_str());
    return script.Boxes();
  }

  static void ExpectOnlyBox(const std::vector<RecordedBox>& boxes, const char* caption, const std::string& text,
                            UINT style) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].style, style);
  }

  static void ExpectCompletionBox(const std::vector<RecordedBox>& boxes) {
    ExpectOnlyBox(boxes, "Kelmor Patch 1.4", "Kelmor \x83p\x83" "b\x83` 1.4 \x82\xAA\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD", 0x40);
  }

  TempFolder folder_;
};

TEST_F(Extract, WritesEveryFileWithItsStoredTime) {
  LayOutGame();
  auto before = Files();
  ExpectCompletionBox(Run());
  EXPECT_EQ(Files(), Written(before, AllRows()));
  for (int row : AllRows()) {
    PatchImage image = ImageOfRow(row);
    std::optional<FileTimes> times = TestFileTimes(folder_ / image.relativePath);
    ASSERT_TRUE(times) << image.relativePath;
    EXPECT_EQ(times->written, image.fileTime) << image.relativePath;
    if (!DepartureFrom(WindowsRule::KeepsCreationTime)) EXPECT_EQ(times->created, image.fileTime) << image.relativePath;
  }
}

TEST_F(Extract, SkipsTheRendererRowsWhereTheRendererIsMissing) {
  LayOutGame(/*renderer=*/false);
  auto before = Files();
  ExpectCompletionBox(Run());
  ASSERT_EQ(RowsWithoutRenderer().size(), 22u);
  EXPECT_EQ(Files(), Written(before, RowsWithoutRenderer()));
}

TEST_F(Extract, ReplacesReadOnlyAndHiddenTargets) {
  LayOutGame();
  SetFileAttributesA((folder_ / "Kelmor.exe").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA((folder_ / "Bin\\Units.dat").c_str(), FILE_ATTRIBUTE_READONLY);
  auto before = Files();
  ExpectCompletionBox(Run());
  EXPECT_EQ(Files(), Written(before, AllRows()));
}

TEST_F(Extract, WithoutBinStopsAtRow5AndKeepsWhatItWrote) {
  LayOutGame(true, /*bin=*/false);
  auto before = Files();
  std::vector<RecordedBox> boxes = Run();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "File Create Error");
  EXPECT_EQ(boxes[0].style, 0x10u);
  EXPECT_FALSE(boxes[0].text.empty());
  EXPECT_EQ(Files(), Written(before, {0, 1, 2, 3, 4}));
}

TEST_F(Extract, TargetHeldOpenStopsWithTheOldFileIntactAndNoTemporaryFile) {
  LayOutGame();
  auto before = Files();
  {
    HeldFile held(folder_ / "readme_english.txt", GENERIC_READ, 0);
    ASSERT_TRUE(held.IsOpen());
    std::vector<RecordedBox> boxes = Run();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "File Create Error");
    EXPECT_TRUE(boxes[0].text == SystemErrorText(ERROR_ACCESS_DENIED) ||
                boxes[0].text == SystemErrorText(ERROR_SHARING_VIOLATION))
        << boxes[0].text;
  }
  EXPECT_EQ(Files(), Written(before, {0, 1, 2}));  // row 3 is the held readme
}

TEST_F(Extract, PathsOverTheLimitStopBeforeWritingAnything) {
  // No such folder is needed: the paths are refused before any file is touched.
  const size_t lengths[] = {
      249,  // the game executable's path takes 260 bytes, one more than a path may
      247,  // its path fits, its temporary file's would not
  };

  for (size_t length : lengths) {
    std::string longFolder = folder_.Path() + "\\" + std::string(length - folder_.Path().size() - 1, 'k');
    ASSERT_EQ(longFolder.size(), length);
    BoxScript script;
    ExtractPatchFiles(longFolder.c_str());
    ExpectOnlyBox(script.Boxes(), "File Create Error", SystemErrorText(ERROR_FILENAME_EXCED_RANGE), 0x10);
  }
  EXPECT_TRUE(FolderEntries(folder_.Path()).empty());
}

TEST_F(Extract, AJapaneseFolderWithATrailByteBackslashIsWrittenInto) {
  folder_.MakeFolder("\x83Q\x81[\x83\x80\\\x83\\\x83t\x83g");  // "ゲーム\ソフト": ソ ends in 0x5C
  std::string game = folder_ / "\x83Q\x81[\x83\x80\\\x83\\\x83t\x83g";
  CreateDirectoryA((game + "\\Bin").c_str(), nullptr);
  BoxScript script({IDOK});
  ExtractPatchFiles(game.c_str());
  ASSERT_EQ(script.Boxes().size(), 1u);
  EXPECT_EQ(script.Boxes()[0].caption, "Kelmor Patch 1.4");
  EXPECT_EQ(ReadTestFile(game + "\\Kelmor.exe"), ImageOfRow(0).content);
  EXPECT_EQ(ReadTestFile(game + "\\Bin\\Units.dat"), ImageOfRow(6).content);
}

}  // namespace
