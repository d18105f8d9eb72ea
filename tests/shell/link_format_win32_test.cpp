// The stand-in's shell link files, as the real shell reads them: the file
// here is what the stand-in writes (link_format_hostwin_test.cpp checks that).
#include <gtest/gtest.h>

#include <string>

#include "shortcuts.h"

TEST(StandInLinkFormat, TheShellReadsTargetArgumentsAndWorkingFolder) {
  // The source tree, as Wine shows the host's root.
  std::string golden = "Z:" SHELL_TEST_DATA "/service_link.lnk";
  for (char& c : golden)
    if (c == '/') c = '\\';
  ShortcutFields read = ReadShortcut(golden);
  ASSERT_TRUE(read.read);
  EXPECT_EQ("C:\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C\x83\x74\x83\x67\\Aphex.exe", read.target);
  EXPECT_EQ("+svc kelmor", read.arguments);
  EXPECT_EQ("C:\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C\x83\x74\x83\x67", read.workingFolder);
}
