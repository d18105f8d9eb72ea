// Deleting and moving files by name: which open handles and attributes stop
// it, and with which error.
#include <gtest/gtest.h>

#include "files.h"
#include "windows_rules.h"

namespace {

class FileOps : public testing::Test {
 protected:
  TempFolder folder;
  std::string source = folder / "source.txt";
  std::string target = folder / "target.txt";
};

DWORD ErrorOf(BOOL ok) { return ok ? 0 : GetLastError(); }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST_F(FileOps, DeleteRefusesWhatWindowsRefuses) {
  folder.MakeFolder("sub");
  ASSERT_TRUE(WriteTestFile(target, "x", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ErrorOf(DeleteFileA((folder / "missing.txt").c_str())), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ErrorOf(DeleteFileA((folder / "missing\\file.txt").c_str())), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(ErrorOf(DeleteFileA((folder / "sub").c_str())), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ErrorOf(DeleteFileA(target.c_str())), DWORD(ERROR_ACCESS_DENIED)) << "read-only";
  EXPECT_EQ(ReadTestFile(target), "x");
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(ErrorOf(DeleteFileA(target.c_str())), 0u) << "hidden is no obstacle";
}

TEST_F(FileOps, DeleteOfAnOpenFileNeedsDeleteSharing) {
  ASSERT_TRUE(WriteTestFile(target, "x"));
  {
    HeldFile held(target, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(ErrorOf(DeleteFileA(target.c_str())), DWORD(ERROR_SHARING_VIOLATION));
  }
  ASSERT_TRUE(Exists(target));
  {
    HeldFile held(target, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE);
    EXPECT_EQ(ErrorOf(DeleteFileA(target.c_str())), 0u);
  }
  EXPECT_FALSE(Exists(target)) << "gone once its last handle closed";
}

TEST_F(FileOps, MoveTakesTheFileWithItsAttributesAndTimes) {
  const FileTimes times = {126967552891234567ULL, 126967552901234567ULL, 126967552911234567ULL};
  ASSERT_TRUE(WriteTestFile(source, "new", FILE_ATTRIBUTE_HIDDEN, &times));
  ASSERT_TRUE(WriteTestFile(target, "old"));
  ASSERT_EQ(ErrorOf(MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)), 0u);
  EXPECT_FALSE(Exists(source));
  EXPECT_EQ(ReadTestFile(target), "new");
  EXPECT_NE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(TestFileTimes(target)->written, times.written);
}

TEST_F(FileOps, MoveReplacesOnlyWhenAskedAndOnlyAClosedFile) {
  folder.MakeFolder("sub");
  ASSERT_TRUE(WriteTestFile(source, "new"));
  ASSERT_TRUE(WriteTestFile(target, "old"));
  EXPECT_EQ(ErrorOf(MoveFileExA(source.c_str(), target.c_str(), 0)), DWORD(ERROR_ALREADY_EXISTS));
  {
    // Even a handle that shares everything keeps the file from being replaced.
    HeldFile held(target, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    EXPECT_EQ(ErrorOf(MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)),
              DWORD(ERROR_ACCESS_DENIED));
  }
  {
    HeldFile held(source, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_EQ(ErrorOf(MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)),
              DWORD(ERROR_SHARING_VIOLATION)) << "a source open without delete sharing";
  }
  EXPECT_EQ(ErrorOf(MoveFileExA(source.c_str(), (folder / "sub").c_str(), MOVEFILE_REPLACE_EXISTING)),
            DWORD(ERROR_ACCESS_DENIED)) << "over a folder";
  EXPECT_EQ(ErrorOf(MoveFileExA((folder / "missing.txt").c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)),
            DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ErrorOf(MoveFileExA(source.c_str(), (folder / "missing\\target.txt").c_str(), MOVEFILE_REPLACE_EXISTING)),
            DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(ReadTestFile(source), "new");
  EXPECT_EQ(ReadTestFile(target), "old");

  {
    HeldFile held(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE);
    EXPECT_EQ(ErrorOf(MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)), 0u)
        << "a source open with delete sharing moves";
  }
  EXPECT_EQ(ReadTestFile(target), "new");
}

TEST_F(FileOps, MoveDoesNotReplaceAReadOnlyFile) {
  ASSERT_TRUE(WriteTestFile(source, "new"));
  ASSERT_TRUE(WriteTestFile(target, "old", FILE_ATTRIBUTE_READONLY));
  if (const char* departure = DepartureFrom(WindowsRule::ReadOnlyRefusesReplace)) GTEST_SKIP() << departure;
  EXPECT_EQ(ErrorOf(MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadTestFile(target), "old");
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(ErrorOf(MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)), 0u);
}

TEST_F(FileOps, MoveCanRespellANameInAnotherCase) {
  ASSERT_TRUE(WriteTestFile(source, "x"));
  ASSERT_EQ(ErrorOf(MoveFileExA(source.c_str(), (folder / "SOURCE.TXT").c_str(), 0)), 0u);
  if (const char* departure = DepartureFrom(WindowsRule::MoveRespellsAName)) GTEST_SKIP() << departure;
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"SOURCE.TXT"});
}

}  // namespace
