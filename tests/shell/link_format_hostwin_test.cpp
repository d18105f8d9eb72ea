// The stand-in's shell link object writes the published layout byte for
// byte: the file here is also loaded by the real shell under Wine
// (link_format_win32_test.cpp).
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "hostwin/control.h"
#include "shell/shortcut.h"

namespace {

std::string HostFileBytes(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(StandInLinkFormat, WritesTheLayoutTheShellReads) {
  const std::string folder = "C:\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C\x83\x74\x83\x67";  // ゲーム\ソフト
  ASSERT_TRUE(CreateDirectoryA("C:\\\x83\x51\x81\x5B\x83\x80", nullptr));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string link = folder + "\\Launch.lnk";
  ASSERT_EQ(S_OK, CreateShortcut((folder + "\\Aphex.exe").c_str(), "+svc kelmor", link.c_str(), folder.c_str()));
  EXPECT_EQ(HostFileBytes(SHELL_TEST_DATA "/service_link.lnk"), HostFileBytes(hostwin::HostPath(link.c_str())));
}

}  // namespace
