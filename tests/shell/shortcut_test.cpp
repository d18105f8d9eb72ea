// The shortcut writer, read back by an independent reader of the format.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "boxes.h"
#include "files.h"
#include "shell/shortcut.h"
#include "shortcuts.h"

namespace {

const char kServicePath[] = "C:\\Program Files\\GameSpy Arcade\\Aphex.exe";

TEST(CreateShortcut, WritesTargetArgumentsAndWorkingFolder) {
  TempFolder temp;
  const std::string link = temp.Path() + "\\Launch.lnk";
  // The target does not exist: the link is made all the same.
  EXPECT_EQ(S_OK, CreateShortcut(kServicePath, "+svc kelmor", link.c_str(), temp.Path().c_str()));
  ShortcutFields read = ReadShortcut(link);
  ASSERT_TRUE(read.read);
  EXPECT_EQ(kServicePath, read.target);
  EXPECT_EQ("+svc kelmor", read.arguments);
  EXPECT_EQ(temp.Path(), read.workingFolder);
}

TEST(CreateShortcut, EmptyArgumentsGiveALinkWithoutArguments) {
  TempFolder temp;
  const std::string target = temp.Path() + "\\readme.txt";
  const std::string link = temp.Path() + "\\Readme.txt.lnk";
  ASSERT_TRUE(WriteTestFile(target, "readme"));
  EXPECT_EQ(S_OK, CreateShortcut(target.c_str(), "", link.c_str(), temp.Path().c_str()));
  ShortcutFields read = ReadShortcut(link);
  ASSERT_TRUE(read.read);
  EXPECT_EQ(target, read.target);
  EXPECT_EQ("", read.arguments);
}

// Whatever is at the link's path is replaced: an older link with
// arguments, or a file that is no link at all.
TEST(CreateShortcut, ReplacesWhatIsAtTheLinksPath) {
  for (bool olderLink : {true, false}) {
    SCOPED_TRACE(olderLink ? "an older link" : "a file that is no link");
    TempFolder temp;
    const std::string link = temp / "Kelmor.lnk";
    if (olderLink) {
      ASSERT_EQ(S_OK, CreateShortcut(kServicePath, "+svc kelmor", link.c_str(), temp.Path().c_str()));
    } else {
      ASSERT_TRUE(WriteTestFile(link, std::string(4096, 'x')));
    }
    const std::string other = temp / "Other.url";
    ASSERT_EQ(S_OK, CreateShortcut(other.c_str(), "", link.c_str(), temp.Path().c_str()));
    ShortcutFields read = ReadShortcut(link);
    ASSERT_TRUE(read.read);
    EXPECT_EQ(other, read.target);
    EXPECT_EQ("", read.arguments);
  }
}

// ソフト: its first character's trail byte is 0x5C, a backslash.
TEST(CreateShortcut, KeepsDoubleByteNamesIntact) {
  TempFolder temp;
  const std::string folder = temp.Path() + "\\\x83\x5C\x83\x74\x83\x67";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string target = folder + "\\\x83\x51\x81\x5B\x83\x80.exe";  // ゲーム.exe
  const std::string link = folder + "\\\x83\x51\x81\x5B\x83\x80.lnk";
  ASSERT_EQ(S_OK, CreateShortcut(target.c_str(), "", link.c_str(), folder.c_str()));
  ShortcutFields read = ReadShortcut(link);
  ASSERT_TRUE(read.read);
  EXPECT_EQ(target, read.target);
  EXPECT_EQ(folder, read.workingFolder);
}

// The link path goes through a buffer of 260 wide characters, terminator
// included: 259 characters fit, 260 do not and nothing is written.
TEST(CreateShortcut, LinkPathMustFit260WideCharacters) {
  const struct {
    size_t length;
    bool fits;
  } cases[] = {{259, true}, {260, false}, {299, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    TempFolder temp;
    const std::string name = "x.lnk";
    const size_t folderLength = c.length - 1 - name.size();
    // One long folder (a name is at most 255 characters) holds the link.
    std::string folder = temp.Path() + "\\";
    folder += std::string(folderLength - folder.size(), 'f');
    if (c.fits) {
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    }
    const std::string link = folder + "\\" + name;
    ASSERT_EQ(c.length, link.size());
    HRESULT result = CreateShortcut(kServicePath, "", link.c_str(), temp.Path().c_str());
    if (c.fits) {
      EXPECT_EQ(S_OK, result);
      EXPECT_TRUE(ReadTestFile(link));
    } else {
      EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), result);
      EXPECT_FALSE(ReadTestFile(link));
    }
  }
}

TEST(CreateShortcut, MissingFolderFailsQuietly) {
  TempFolder temp;
  BoxScript boxes;
  const std::string link = temp.Path() + "\\Missing\\Kelmor.lnk";
  EXPECT_TRUE(FAILED(CreateShortcut(kServicePath, "", link.c_str(), temp.Path().c_str())));
  EXPECT_FALSE(ReadTestFile(link));
  EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace
