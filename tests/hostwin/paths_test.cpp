// How Windows reads paths and names: case, separators, code page 932 names
// whose trail byte is 0x5C, length limits, and the system's own folders.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "files.h"

namespace {

// Code page 932: "ゲーム" and "ソフト"; ソ (83 5C) ends in the backslash byte.
const char kGame[] = "\x83\x51\x81\x5B\x83\x80";
const char kSoft[] = "\x83\x5C\x83\x74\x83\x67";
const char kSo[] = "\x83\x5C";

class Paths : public testing::Test {
 protected:
  TempFolder folder;
};

DWORD AttributesError(const std::string& path) {
  SetLastError(0);
  return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
}

TEST_F(Paths, NamesMatchWhateverTheirCase) {
  struct Case {
    const char* stored;
    const char* asked;
  };
  const Case cases[] = {
      {"MixedCase.Txt", "mIXEDcASE.tXT"},
      {"\x82\x60.txt", "\x82\x81.TXT"},  // full-width A and a
      {"\x83\xBF.txt", "\x83\x9F.txt"},  // Greek alpha and Alpha
      {"\x84\x70.txt", "\x84\x40.txt"},  // Cyrillic a and A
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteTestFile(folder / c.stored, c.stored));
    EXPECT_EQ(ReadTestFile(folder / c.asked), c.stored) << c.asked;
  }
  EXPECT_EQ(FolderEntries(folder.Path()).size(), 4u) << "each write found the one file it made";
}

TEST_F(Paths, SeparatorsAndDotsAsWindowsReadsThem) {
  folder.MakeFolder("sub");
  ASSERT_TRUE(WriteTestFile(folder / "sub\\file.txt", "content"));
  std::string forward = folder.Path();
  for (char& c : forward)
    if (c == '\\') c = '/';
  const std::string spellings[] = {
      folder / "sub\\\\file.txt",      folder / "\\sub\\file.txt",   forward + "/sub/file.txt",
      folder / "sub/file.txt",          folder / ".\\sub\\.\\file.txt", folder / "sub\\..\\sub\\file.txt",
      folder / "sub\\file.txt.",        folder / "sub\\file.txt  ",
  };
  for (const std::string& path : spellings) EXPECT_EQ(ReadTestFile(path), "content") << path;
}

TEST_F(Paths, ATrailByteOf0x5CIsNoSeparator) {
  const std::string game = folder.MakeFolder(std::string(kGame) + "\\" + kSoft + "\\Kelmor");
  EXPECT_EQ(FolderEntries(folder / kGame), std::vector<std::string>{kSoft});
  EXPECT_EQ(FolderEntries(game + "\\.."), std::vector<std::string>{"Kelmor"});
  const std::string file = game + "\\" + kSo + ".txt";
  ASSERT_TRUE(WriteTestFile(file, "so"));
  EXPECT_EQ(ReadTestFile(file), "so");
  EXPECT_EQ(FolderEntries(game), std::vector<std::string>{std::string(kSo) + ".txt"});

  // A folder whose name ends in ソ still gets a separator before the name.
  const std::string so = folder.MakeFolder(kSo);
  char name[MAX_PATH];
  ASSERT_NE(GetTempFileNameA(so.c_str(), "ab", 0, name), 0u);
  EXPECT_EQ(std::string(name).substr(0, so.size() + 3), so + "\\ab");
  EXPECT_TRUE(DeleteFileA(file.c_str()));
  EXPECT_TRUE(RemoveDirectoryA(game.c_str()));
}

TEST_F(Paths, APathOver260CharactersIsTooLongForEveryCall) {
  std::string fits = folder.Path() + "\\";
  fits += std::string(MAX_PATH - 1 - fits.size(), 'n');
  ASSERT_TRUE(WriteTestFile(fits, "fits"));
  EXPECT_EQ(ReadTestFile(fits), "fits");

  const std::string tooLong = fits + "nn";
  EXPECT_EQ(AttributesError(tooLong), DWORD(ERROR_FILENAME_EXCED_RANGE));
  HANDLE file = CreateFileA(tooLong.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(CreateDirectoryA(tooLong.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(DeleteFileA(tooLong.c_str()));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
  WIN32_FIND_DATAA found;
  EXPECT_EQ(FindFirstFileA(tooLong.c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(Paths, TheLimitCountsCharactersNotBytes) {
  // Folders of 40 double-byte characters: over 260 bytes, far under 260 characters.
  std::string name;
  for (int i = 0; i < 40; ++i) name += kSo;
  const std::string deep = folder.MakeFolder(name + "\\" + name + "\\" + name);
  const std::string file = deep + "\\" + name + ".txt";
  ASSERT_GT(file.size(), size_t(MAX_PATH));
  ASSERT_TRUE(WriteTestFile(file, "deep"));
  EXPECT_EQ(ReadTestFile(file), "deep");
}

TEST_F(Paths, CharactersNoNameMayHold) {
  for (const char* name : {"a?b", "a*b", "a<b", "a>b", "a|b", "a\"b", "a\x01" "b"}) {
    HANDLE file =
        CreateFileA((folder / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE) << name;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_NAME)) << name;
  }
  EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST_F(Paths, TheSystemAndTemporaryFolders) {
  char buffer[MAX_PATH];
  UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
  EXPECT_EQ(length, strlen(buffer));
  EXPECT_STRCASEEQ(buffer, "C:\\windows\\system32");
  EXPECT_EQ(GetSystemDirectoryA(buffer, 3), length + 1) << "the size it needs, terminator included";

  DWORD tempLength = GetTempPathA(sizeof buffer, buffer);
  ASSERT_EQ(tempLength, strlen(buffer));
  EXPECT_EQ(buffer[tempLength - 1], '\\');
  EXPECT_NE(GetFileAttributesA(buffer) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(GetTempPathA(3, buffer), tempLength + 1);
}

TEST_F(Paths, TemporaryFileNamesAreMadeAsWindowsMakesThem) {
  char first[MAX_PATH], second[MAX_PATH];
  const UINT number = GetTempFileNameA(folder.Path().c_str(), "kelmor", 0, first);
  ASSERT_NE(number, 0u);
  char expected[MAX_PATH];
  snprintf(expected, sizeof expected, "%s\\kel%x.tmp", folder.Path().c_str(), number);
  EXPECT_STRCASEEQ(first, expected) << "three characters of the prefix, the number in hex, .tmp";
  EXPECT_EQ(ReadTestFile(first), "") << "the file is made, empty";
  ASSERT_NE(GetTempFileNameA((folder.Path() + "\\").c_str(), "kelmor", 0, second), 0u);
  EXPECT_STRNE(first, second);
  EXPECT_EQ(std::string(second).find("\\\\"), std::string::npos);

  EXPECT_EQ(GetTempFileNameA(folder.Path().c_str(), "", 0x12345, first), 0x2345u) << "only the low 16 bits";
  EXPECT_STRCASEEQ(first, (folder / "2345.tmp").c_str());
  EXPECT_EQ(GetFileAttributesA(first), INVALID_FILE_ATTRIBUTES) << "a given number makes no file";

  ASSERT_NE(GetTempFileNameA(folder.Path().c_str(), (std::string(kSoft) + "x").c_str(), 0, first), 0u);
  EXPECT_EQ(std::string(first).substr(folder.Path().size() + 1, 6), kSoft) << "three characters, not bytes";

  EXPECT_EQ(GetTempFileNameA((folder / "missing").c_str(), "kp", 0, first), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
  ASSERT_TRUE(WriteTestFile(folder / "plain.txt", ""));
  EXPECT_EQ(GetTempFileNameA((folder / "plain.txt").c_str(), "kp", 0, first), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
}

TEST_F(Paths, FoldersAreMadeAndRemovedOnlyAsWindowsAllows) {
  const std::string sub = folder / "sub";
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  ASSERT_TRUE(WriteTestFile(sub + "\\file.txt", "x"));
  auto errorOf = [](BOOL ok) { return ok ? 0 : GetLastError(); };
  struct Case {
    DWORD error, expected;
    const char* what;
  };
  const Case cases[] = {
      {errorOf(CreateDirectoryA(sub.c_str(), nullptr)), ERROR_ALREADY_EXISTS, "making a folder that exists"},
      {errorOf(CreateDirectoryA((sub + "\\file.txt").c_str(), nullptr)), ERROR_ALREADY_EXISTS, "making one where a file is"},
      {errorOf(CreateDirectoryA((folder / "missing\\new").c_str(), nullptr)), ERROR_PATH_NOT_FOUND, "making one in nothing"},
      {errorOf(RemoveDirectoryA(sub.c_str())), ERROR_DIR_NOT_EMPTY, "removing one that is not empty"},
      {errorOf(RemoveDirectoryA((sub + "\\file.txt").c_str())), ERROR_DIRECTORY, "removing a file"},
      {errorOf(RemoveDirectoryA((folder / "missing").c_str())), ERROR_FILE_NOT_FOUND, "removing nothing"},
      {errorOf(RemoveDirectoryA((folder / "missing\\sub").c_str())), ERROR_PATH_NOT_FOUND, "removing in nothing"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.error, c.expected) << c.what;
  ASSERT_TRUE(DeleteFileA((sub + "\\file.txt").c_str()));
  EXPECT_TRUE(RemoveDirectoryA(sub.c_str()));
  EXPECT_EQ(AttributesError(sub), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(Paths, SearchesListWhatMatches) {
  const std::string sub = folder.MakeFolder("Sub");
  ASSERT_TRUE(WriteTestFile(sub + "\\One.txt", "1"));
  ASSERT_TRUE(WriteTestFile(sub + "\\two.dat", "22"));
  ASSERT_TRUE(WriteTestFile(sub + "\\" + kSo + ".txt", "333"));
  folder.MakeFolder("Sub\\inner");

  auto names = [](const std::string& pattern) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return found;
    do found.push_back(data.cFileName);
    while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    FindClose(search);
    std::sort(found.begin(), found.end());
    return found;
  };
  EXPECT_EQ(names(sub + "\\*"), (std::vector<std::string>{".", "..", "One.txt", "inner", "two.dat", std::string(kSo) + ".txt"}));
  EXPECT_EQ(names(sub + "\\*.*").size(), 6u);
  EXPECT_EQ(names(sub + "\\*.TXT"), (std::vector<std::string>{"One.txt", std::string(kSo) + ".txt"}));
  EXPECT_EQ(names(sub + "\\?.txt"), std::vector<std::string>{std::string(kSo) + ".txt"}) << "? is one character";

  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder / "SUB\\TWO.DAT").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "two.dat") << "the name as stored";
  EXPECT_EQ(data.nFileSizeLow, 2u);
  EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_FALSE(FindNextFileA(search, &data));
  EXPECT_TRUE(FindClose(search));
  search = FindFirstFileA((folder / "sub").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "Sub");
  EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FindClose(search);

  struct Case {
    std::string pattern;
    DWORD error;
  };
  const Case failures[] = {
      {sub + "\\*.zip", ERROR_FILE_NOT_FOUND},
      {sub + "\\", ERROR_FILE_NOT_FOUND},
      {folder / "missing\\*", ERROR_PATH_NOT_FOUND},
      {folder / "missing", ERROR_FILE_NOT_FOUND},
  };
  for (const Case& c : failures) {
    EXPECT_EQ(FindFirstFileA(c.pattern.c_str(), &data), INVALID_HANDLE_VALUE) << c.pattern;
    EXPECT_EQ(GetLastError(), c.error) << c.pattern;
  }
  EXPECT_FALSE(FindClose(reinterpret_cast<HANDLE>(0x7FF0)));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

}  // namespace
