// Opening, reading, writing and stamping files: the Win32 rules the program
// relies on, checked against Wine's real calls and the stand-in alike.
#include <gtest/gtest.h>

#include "files.h"
#include "windows_rules.h"

namespace {

class Files : public testing::Test {
 protected:
  TempFolder folder;
};

// Opens `path` and closes it at once; gives 0 or the error.
DWORD OpenError(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return 0;
}

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

TEST_F(Files, ShareModesOfOpenHandlesDecideLaterOpens) {
  struct Case {
    DWORD heldAccess, heldShare, access, share, error;
    const char* what;
  };
  const Case cases[] = {
      {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, 0, "readers sharing reading"},
      {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, 32, "a writer where only reading is shared"},
      {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_WRITE, FILE_SHARE_READ, 0, "a writer where writing is shared"},
      {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, 32, "a reader not sharing the writing there"},
      {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, "a reader sharing it"},
      {GENERIC_READ, 0, GENERIC_READ, kShareAll, 32, "any reader after no sharing"},
      {GENERIC_READ, 0, 0, 0, 0, "an open for no data after no sharing"},
      {0, 0, GENERIC_READ | GENERIC_WRITE, 0, 0, "anything after an open for no data"},
      {DELETE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, 32, "a reader not sharing delete access"},
      {DELETE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, 0, "a reader sharing delete access"},
  };
  const std::string path = folder / "shared.txt";
  ASSERT_TRUE(WriteTestFile(path, "content"));
  for (const Case& c : cases) {
    HeldFile held(path, c.heldAccess, c.heldShare);
    ASSERT_TRUE(held.IsOpen()) << c.what << ": error " << held.OpenError();
    EXPECT_EQ(OpenError(path, c.access, c.share, OPEN_EXISTING), c.error) << c.what;
  }
}

TEST_F(Files, ReplacingAFileHeldOpenIsASharingViolation) {
  const std::string path = folder / "held.txt";
  ASSERT_TRUE(WriteTestFile(path, "old"));
  {
    HeldFile held(path, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_EQ(OpenError(path, GENERIC_WRITE, 0, CREATE_ALWAYS), 32u);
  }
  EXPECT_EQ(ReadTestFile(path), "old");
}

TEST_F(Files, DispositionsOnExistingAndMissingFiles) {
  struct Case {
    DWORD disposition;
    bool exists;
    DWORD error;        // of the open; 0 when it opens
    DWORD lastError;    // after an open that succeeds
    const char* after;  // the content then, or null for no file
  };
  const Case cases[] = {
      {CREATE_ALWAYS, true, 0, ERROR_ALREADY_EXISTS, ""},
      {CREATE_ALWAYS, false, 0, 0, ""},
      {OPEN_ALWAYS, true, 0, ERROR_ALREADY_EXISTS, "old"},
      {OPEN_ALWAYS, false, 0, 0, ""},
      {CREATE_NEW, true, ERROR_FILE_EXISTS, 0, "old"},
      {CREATE_NEW, false, 0, 0, ""},
      {OPEN_EXISTING, true, 0, 0, "old"},
      {OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, 0, nullptr},
      {TRUNCATE_EXISTING, true, 0, 0, ""},
      {TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, 0, nullptr},
  };
  for (const Case& c : cases) {
    const std::string path = folder / "file.txt";
    RemoveTree(path);
    if (c.exists) {
      ASSERT_TRUE(WriteTestFile(path, "old"));
    }
    SetLastError(0xBAD);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, c.disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD lastError = GetLastError();
    SCOPED_TRACE(testing::Message() << "disposition " << c.disposition << (c.exists ? " on a file" : " on nothing"));
    if (c.error) {
      EXPECT_EQ(file, INVALID_HANDLE_VALUE);
      EXPECT_EQ(lastError, c.error);
    } else {
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      EXPECT_EQ(lastError, c.lastError);
      CloseHandle(file);
    }
    if (c.after)
      EXPECT_EQ(ReadTestFile(path), c.after);
    else
      EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(Files, WhatIsNotAFileInAnExistingFolderDoesNotOpen) {
  const std::string sub = folder.MakeFolder("sub");
  ASSERT_TRUE(WriteTestFile(folder / "plain.txt", "x"));
  struct Case {
    std::string path;
    DWORD disposition;
    DWORD error;
  };
  const Case cases[] = {
      {folder / "missing\\file.txt", CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
      {folder / "plain.txt\\file.txt", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {folder / "plain.txt\\", OPEN_EXISTING, ERROR_INVALID_NAME},
      {sub, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {sub + "\\", OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {sub, CREATE_ALWAYS, ERROR_ACCESS_DENIED},
      {sub, OPEN_ALWAYS, ERROR_ACCESS_DENIED},
      {sub, CREATE_NEW, ERROR_FILE_EXISTS},
      {"", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OpenError(c.path, GENERIC_READ, FILE_SHARE_READ, c.disposition), c.error) << c.path << " " << c.disposition;
}

TEST_F(Files, AReadOnlyFileRefusesWritingUntilItsAttributesAreCleared) {
  const std::string path = folder / "readonly.txt";
  ASSERT_TRUE(WriteTestFile(path, "old", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(OpenError(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), 0u);
  if (const char* departure = DepartureFrom(WindowsRule::ReadOnlyRefusesWriting)) GTEST_SKIP() << departure;
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, 0, OPEN_EXISTING), 5u);
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, 0, CREATE_ALWAYS), 5u);
  EXPECT_EQ(ReadTestFile(path), "old");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, 0, CREATE_ALWAYS), 0u);
  EXPECT_EQ(ReadTestFile(path), "");
}

TEST_F(Files, CreateAlwaysOverAHiddenFileMustAskForHidden) {
  const std::string path = folder / "hidden.txt";
  ASSERT_TRUE(WriteTestFile(path, "old", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, 0, OPEN_EXISTING), 0u);
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  if (const char* departure = DepartureFrom(WindowsRule::HiddenRefusesCreateAlways)) GTEST_SKIP() << departure;
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, 0, CREATE_ALWAYS), 5u);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, 0, CREATE_ALWAYS), 0u);
}

TEST_F(Files, AttributesAsSetAndCleared) {
  const std::string path = folder / "file.txt";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, "ab", 2, &written, nullptr)) << "the creating handle writes a new read-only file";
  CloseHandle(file);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));

  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
  const DWORD cleared = GetFileAttributesA(path.c_str());
  EXPECT_EQ(cleared & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY), 0u);
  EXPECT_NE(GetFileAttributesA(folder.Path().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

  SetLastError(0);
  EXPECT_EQ(GetFileAttributesA((folder / "missing.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(SetFileAttributesA((folder / "missing.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

  if (const char* departure = DepartureFrom(WindowsRule::ReportsAttributesAsSet)) GTEST_SKIP() << departure;
  EXPECT_EQ(cleared, DWORD(FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesA(path.c_str()), DWORD(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(Files, HandlesReadAndWriteOnlyWhatTheyWereOpenedFor) {
  const std::string path = folder / "file.txt";
  ASSERT_TRUE(WriteTestFile(path, "0123456789"));
  char buffer[16];
  DWORD count = 99;
  {
    HeldFile reader(path, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_FALSE(WriteFile(reader.Handle(), "x", 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), 5u);
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(ReadFile(reader.Handle(), buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(std::string(buffer, count), "0123456789");
    EXPECT_TRUE(ReadFile(reader.Handle(), buffer, sizeof buffer, &count, nullptr)) << "at the end";
    EXPECT_EQ(count, 0u);
  }
  HeldFile writer(path, GENERIC_WRITE, 0);
  EXPECT_FALSE(ReadFile(writer.Handle(), buffer, sizeof buffer, &count, nullptr));
  EXPECT_EQ(GetLastError(), 5u);
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x7FF0)));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST_F(Files, FilePointerMovesAsAskedAndNeverBeforeTheStart) {
  struct Case {
    LONG distance;
    bool withHigh;
    LONG high;
    DWORD method;
    DWORD position;  // INVALID_SET_FILE_POINTER: it fails
    DWORD error;
  };
  const Case cases[] = {
      {3, false, 0, FILE_BEGIN, 3, 0},
      {-1, false, 0, FILE_CURRENT, 4, 0},
      {0, false, 0, FILE_END, 10, 0},
      {20, false, 0, FILE_BEGIN, 20, 0},
      {-6, false, 0, FILE_CURRENT, INVALID_SET_FILE_POINTER, ERROR_NEGATIVE_SEEK},
      {-5, false, 0, FILE_BEGIN, INVALID_SET_FILE_POINTER, ERROR_NEGATIVE_SEEK},
      {-1, true, -1, FILE_BEGIN, INVALID_SET_FILE_POINTER, ERROR_NEGATIVE_SEEK},
      {1, true, 0, FILE_END, 11, 0},
  };
  const std::string path = folder / "file.txt";
  ASSERT_TRUE(WriteTestFile(path, "0123456789"));
  for (const Case& c : cases) {
    HeldFile file(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_EQ(SetFilePointer(file.Handle(), 5, nullptr, FILE_BEGIN), 5u);
    LONG high = c.high;
    SetLastError(0);
    DWORD position = SetFilePointer(file.Handle(), c.distance, c.withHigh ? &high : nullptr, c.method);
    EXPECT_EQ(position, c.position) << c.distance << " from " << c.method;
    if (c.error) {
      EXPECT_EQ(GetLastError(), c.error);
      continue;
    }
    if (c.position >= 10) continue;
    char next = 0;
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file.Handle(), &next, 1, &read, nullptr));
    EXPECT_EQ(next, char('0' + c.position));
  }
}

TEST_F(Files, WritingPastTheEndFillsTheGapWithZeros) {
  const std::string path = folder / "file.txt";
  ASSERT_TRUE(WriteTestFile(path, "ab"));
  {
    HeldFile file(path, GENERIC_WRITE, 0);
    ASSERT_EQ(SetFilePointer(file.Handle(), 4, nullptr, FILE_BEGIN), 4u);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Handle(), "cd", 2, &written, nullptr));
    EXPECT_EQ(written, 2u);
    DWORD high = 99;
    EXPECT_EQ(GetFileSize(file.Handle(), &high), 6u);
    EXPECT_EQ(high, 0u);
  }
  EXPECT_EQ(ReadTestFile(path), std::string("ab\0\0cd", 6));
}

TEST_F(Files, TimesAreKeptToTheHundredNanoseconds) {
  const std::string path = folder / "stamped.txt";
  // Days in May 2003, on odd 100 ns ticks.
  const FileTimes times = {126967552891234567ULL, 126967552901234567ULL, 126967552911234567ULL};
  ASSERT_TRUE(WriteTestFile(path, "content", 0, &times));
  std::optional<FileTimes> listed = TestFileTimes(path);
  ASSERT_TRUE(listed);
  EXPECT_EQ(listed->written, times.written);
  EXPECT_EQ(listed->accessed, times.accessed);

  HeldFile file(path, GENERIC_READ, FILE_SHARE_READ);
  FILETIME created, accessed, written;
  ASSERT_TRUE(GetFileTime(file.Handle(), &created, &accessed, &written));
  EXPECT_EQ(Ticks(written), times.written);
  if (const char* departure = DepartureFrom(WindowsRule::KeepsCreationTime)) GTEST_SKIP() << departure;
  EXPECT_EQ(listed->created, times.created);
  EXPECT_EQ(Ticks(created), times.created);
}

}  // namespace
