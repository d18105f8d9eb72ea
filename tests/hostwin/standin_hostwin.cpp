// What only the stand-in can set up: drives and free space, the Windows
// rules Wine does not keep, test-set libraries and registry permissions,
// failures on demand, and the reset between tests.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "files.h"
#include "hostwin/control.h"

namespace {

DWORD ErrorOf(BOOL ok) { return ok ? 0 : GetLastError(); }

// A host folder of the test's own, removed afterwards.
class HostFolder {
 public:
  HostFolder() {
    char pattern[] = "/tmp/hostwin-test-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~HostFolder() { system(("rm -rf '" + path_ + "'").c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

bool HostFileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

TEST(StandInPaths, DrivesMapToHostFoldersAndNamesAreStoredInUtf8) {
  HostFolder host;
  hostwin::MapDrive('D', host.Path());
  ASSERT_TRUE(CreateDirectoryA("D:\\\x83\x5C\x83\x74\x83\x67", nullptr));
  ASSERT_TRUE(WriteTestFile("d:/\x83\x5C\x83\x74\x83\x67/Readme.TXT", "x"));
  EXPECT_TRUE(HostFileExists(host.Path() + "/ソフト/Readme.TXT"));
  EXPECT_EQ(hostwin::HostPath("D:\\\x83\x5C\x83\x74\x83\x67\\README.txt"), host.Path() + "/ソフト/Readme.TXT");
  EXPECT_EQ(hostwin::HostPath("D:\\missing\\README.txt"), "");

  ASSERT_TRUE(WriteTestFile("C:\\users\\user\\Temp\\moved.txt", "x"));
  EXPECT_EQ(ErrorOf(MoveFileExA("C:\\users\\user\\Temp\\moved.txt", "D:\\moved.txt", 0)), DWORD(ERROR_NOT_SAME_DEVICE));
  hostwin::MapDrive('D', "");
  EXPECT_EQ(GetFileAttributesA("D:\\"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(ErrorOf(MoveFileExA("C:\\windows\\system32", "E:\\system32", 0)), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST(StandInPaths, WindowsRulesWineDoesNotKeep) {
  EXPECT_EQ(GetFileAttributesA("C:\\missing\\file.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND)) << "Wine says 2";
  // A path of exactly 260 characters converts, but no longer fits MAX_PATH.
  std::string path = "C:\\" + std::string(200, 'p') + "\\" + std::string(MAX_PATH - 204, 'q');
  ASSERT_EQ(path.size(), size_t(MAX_PATH));
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));

  // Windows keeps room for the name it makes; Wine overruns the buffer.
  const std::string deep = "C:\\users\\user\\Temp\\" + std::string(240, 'd');
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  char name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameA(deep.c_str(), "kp", 0, name), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_BUFFER_OVERFLOW));

  const char file[] = "C:\\users\\user\\Temp\\held.txt";
  ASSERT_TRUE(WriteTestFile(file, "x"));
  {
    HeldFile reader(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE);
    EXPECT_FALSE(SetFileTime(reader.Handle(), nullptr, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED)) << "stamping needs write access";
  }
  {
    HeldFile held(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(DeleteFileA(file));
    // The name stays while the file is open, and nothing opens it.
    EXPECT_FALSE(ReadTestFile(file));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    HANDLE again = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(again, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  }
  EXPECT_EQ(hostwin::HostPath(file).empty(), false);
  EXPECT_FALSE(HostFileExists(hostwin::HostPath(file)));
  EXPECT_EQ(hostwin::OpenHandleCount(), 0u);
}

class StandInDisk : public testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder / "file.bin";
  HeldFile* Open() {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    return new HeldFile(path, GENERIC_WRITE, 0);
  }
};

TEST_F(StandInDisk, AWriteThatDoesNotFitFailsAndWritesNothingAsOnWindows) {
  ASSERT_TRUE(WriteTestFile(path, "0123"));
  ASSERT_TRUE(LimitFreeSpace(path, 6));
  std::unique_ptr<HeldFile> file(Open());
  DWORD written = 99;
  ASSERT_EQ(SetFilePointer(file->Handle(), 2, nullptr, FILE_BEGIN), 2u);
  EXPECT_FALSE(WriteFile(file->Handle(), "abcdefghi", 9, &written, nullptr)) << "needs 7 more bytes";
  EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(WriteFile(file->Handle(), "abcdefgh", 8, &written, nullptr)) << "needs 6";
  EXPECT_EQ(written, 8u);
  EXPECT_FALSE(WriteFile(file->Handle(), "x", 1, &written, nullptr));
  EXPECT_TRUE(WriteFile(file->Handle(), "", 0, &written, nullptr));
  file.reset();
  EXPECT_EQ(ReadTestFile(path), "01abcdefgh");

  ASSERT_TRUE(DeleteFileA(path.c_str()));
  EXPECT_TRUE(WriteTestFile(path, "0123456789")) << "deleting gave the space back";
  EXPECT_FALSE(WriteTestFile(folder / "more.bin", "x"));
}

TEST_F(StandInDisk, AWriteThatDoesNotFitComesUpShortAsUnderWine) {
  ASSERT_TRUE(LimitFreeSpace(path, 5, FullDisk::ShortCount));
  std::unique_ptr<HeldFile> file(Open());
  DWORD written = 99;
  EXPECT_TRUE(WriteFile(file->Handle(), "abcdefgh", 8, &written, nullptr));
  EXPECT_EQ(written, 5u);
  EXPECT_FALSE(WriteFile(file->Handle(), "x", 1, &written, nullptr)) << "nothing fits";
  EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
  EXPECT_EQ(written, 0u);
  file.reset();
  EXPECT_EQ(ReadTestFile(path), "abcde");
}

TEST(StandInDiskDevice, AHostDiskThatIsFullFailsTheWrite) {
  hostwin::MapDrive('F', "/dev");  // /dev/full: every write meets a full disk
  HeldFile full("F:\\full", GENERIC_WRITE, FILE_SHARE_WRITE);
  ASSERT_TRUE(full.IsOpen()) << full.OpenError();
  DWORD written = 99;
  EXPECT_FALSE(WriteFile(full.Handle(), "abc", 3, &written, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
  EXPECT_EQ(written, 0u);
}

TEST(StandInLibraries, BareNamesAreSearchedForFromTheApplicationFolder) {
  hostwin::SetApplicationFolder("C:\\Downloads");
  hostwin::SetLibraryPresent("C:\\Downloads\\D3D8.DLL", true);
  HMODULE planted = LoadLibraryA("d3d8.dll");
  ASSERT_NE(planted, nullptr);
  HMODULE system = LoadLibraryA("C:\\WINDOWS\\System32\\D3D8.DLL");
  ASSERT_NE(system, nullptr);
  EXPECT_NE(planted, system);
  EXPECT_EQ(hostwin::LoadedLibraryCount(), 2);
  FreeLibrary(planted);
  FreeLibrary(system);
  EXPECT_EQ(hostwin::LoadedLibraryCount(), 0);
  ASSERT_EQ(hostwin::LibraryLoads().size(), 2u);
  EXPECT_EQ(hostwin::LibraryLoads()[0].requested, "d3d8.dll");
  EXPECT_EQ(hostwin::LibraryLoads()[0].loadedFrom, "C:\\Downloads\\D3D8.DLL");
  EXPECT_EQ(hostwin::LibraryLoads()[1].loadedFrom, "C:\\windows\\system32\\d3d8.dll");

  hostwin::SetLibraryPresent("C:\\windows\\system32\\d3d8.dll", false);
  hostwin::SetLibraryPresent("C:\\Downloads\\D3D8.DLL", false);
  EXPECT_EQ(LoadLibraryA("D3D8.DLL"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(hostwin::LibraryLoads().back().loadedFrom, "");
}

INT_PTR WINAPI Answer() { return 42; }

TEST(StandInLibraries, BuiltInModulesExportWhatTheyRegistered) {
  const hostwin::ModuleExport exports[] = {{"Answer", reinterpret_cast<FARPROC>(Answer)}};
  hostwin::RegisterBuiltinModule("answer.dll", exports, 1);
  hostwin::SetApplicationFolder("C:\\Downloads");
  hostwin::SetLibraryPresent("C:\\Downloads\\answer.dll", true);
  HMODULE module = LoadLibraryA("ANSWER.DLL");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(hostwin::LibraryLoads().back().loadedFrom, "C:\\windows\\system32\\answer.dll")
      << "a library built into the system folder answers to its bare name";
  FARPROC proc = GetProcAddress(module, "Answer");
  ASSERT_NE(proc, nullptr);
  EXPECT_EQ(proc(), 42);
  EXPECT_EQ(GetProcAddress(module, "answer"), nullptr) << "export names keep their case";
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetModuleHandleA("answer"), module);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleA("answer.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(module)) << "no longer loaded";
}

TEST(StandInLibraries, SetDefaultDllDirectoriesIsExportedOnlyWhenAsked) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  EXPECT_EQ(GetProcAddress(kernel, "SetDefaultDllDirectories"), nullptr);
  hostwin::ExportSetDefaultDllDirectories(true);
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesProc)(DWORD);
  auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesProc>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  ASSERT_NE(setDirectories, nullptr);
  EXPECT_FALSE(setDirectories(0x1));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  hostwin::SetApplicationFolder("C:\\Downloads");
  hostwin::SetLibraryPresent("C:\\Downloads\\D3D8.DLL", true);
  ASSERT_TRUE(setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32));
  EXPECT_EQ(hostwin::DefaultDllDirectories(), DWORD(LOAD_LIBRARY_SEARCH_SYSTEM32));
  HMODULE library = LoadLibraryA("D3D8.DLL");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(hostwin::LibraryLoads().back().loadedFrom, "C:\\windows\\system32\\d3d8.dll");
  FreeLibrary(library);
}

TEST(StandInRegistry, OpensAreRecordedWithTheAccessAskedFor) {
  hostwin::SetRegistryValue(HKEY_CURRENT_USER, "Software\\Halvecrest\\Kelmor", "DestDir", REG_SZ, "C:\\Games");
  hostwin::RefuseFullAccess(HKEY_CURRENT_USER, "Software\\Halvecrest\\Kelmor");
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvecrest\\Kelmor", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvecrest\\Kelmor", 0, KEY_READ, &key), ERROR_SUCCESS);
  char value[16];
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "DestDir", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(value, size), "C:\\Games") << "stored as given, without a terminator";
  RegCloseKey(key);
  ASSERT_EQ(hostwin::RegistryOpens().size(), 2u);
  EXPECT_EQ(hostwin::RegistryOpens()[0].key, "Software\\Halvecrest\\Kelmor");
  EXPECT_EQ(hostwin::RegistryOpens()[0].access, DWORD(KEY_ALL_ACCESS));
  EXPECT_EQ(hostwin::RegistryOpens()[0].result, ERROR_ACCESS_DENIED);
  EXPECT_EQ(hostwin::RegistryOpens()[1].result, ERROR_SUCCESS);
}

TEST(StandInFailures, ACallFailsOnDemandAfterTheCallsThatSucceedFirst) {
  TempFolder folder;
  hostwin::FailCall("WriteFile", ERROR_DISK_FULL, 1);
  hostwin::FailCall("RegOpenKeyExA", ERROR_ACCESS_DENIED);
  hostwin::FailCall("LoadLibraryA", ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_TRUE(WriteTestFile(folder / "first.txt", "x"));
  EXPECT_FALSE(WriteTestFile(folder / "second.txt", "x"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
  EXPECT_TRUE(WriteTestFile(folder / "third.txt", "x")) << "once only";
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(LoadLibraryA("kernel32.dll"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(StandInReset, EverythingStartsAfresh) {
  const std::string root = hostwin::HostPath("C:\\");
  ASSERT_TRUE(WriteTestFile("C:\\users\\user\\Temp\\left.txt", "x"));
  HeldFile left("C:\\users\\user\\Temp\\left.txt");
  hostwin::SetRegistryValue(HKEY_CURRENT_USER, "Software\\Left", "Value", REG_DWORD, "1234");
  hostwin::SetLibraryPresent("left.dll", true);
  hostwin::FailCall("CreateFileA", 5);
  WIN32_FIND_DATAA found;
  ASSERT_NE(FindFirstFileA("C:\\users\\*", &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(hostwin::OpenSearchCount(), 1u);
  hostwin::Reset();
  EXPECT_EQ(hostwin::OpenSearchCount(), 0u);
  EXPECT_FALSE(HostFileExists(root)) << "the old C: folder is gone";
  EXPECT_NE(hostwin::HostPath("C:\\"), root);
  EXPECT_EQ(hostwin::OpenHandleCount(), 0u);
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Left", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(LoadLibraryA("left.dll"), nullptr);
  EXPECT_TRUE(WriteTestFile("C:\\users\\user\\Temp\\new.txt", "x"));
}

TEST(StandInDeathTest, WhatIsNotStoodInEndsTheTest) {
  EXPECT_DEATH(CreateFileA("C:\\x", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr),
               "not stood in: CreateFileA with overlapped");
}

}  // namespace
