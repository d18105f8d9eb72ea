// Loading libraries: what is missing, and the system folder's DirectX 8.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(Libraries, MissingLibrariesAndEntryPointsHaveTheirOwnErrors) {
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA("kelmor_no_such_library.dll"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadLibraryA("C:\\kelmor_no_such_folder\\library.dll"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));

  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  ASSERT_NE(kernel, nullptr);
  HMODULE loaded = LoadLibraryA("KERNEL32");
  EXPECT_EQ(loaded, kernel) << "the name without .dll, in another case, is the same library";
  EXPECT_EQ(GetProcAddress(loaded, "KelmorNoSuchEntryPoint"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
  EXPECT_TRUE(FreeLibrary(loaded));
}

TEST(Libraries, DirectX8LoadsFromTheSystemFolder) {
  char folder[MAX_PATH];
  UINT length = GetSystemDirectoryA(folder, sizeof folder);
  ASSERT_GT(length, 0u);
  HMODULE library = LoadLibraryA((std::string(folder) + "\\D3D8.DLL").c_str());
  ASSERT_NE(library, nullptr);
  EXPECT_TRUE(FreeLibrary(library));
}

}  // namespace
