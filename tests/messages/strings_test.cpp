// The string table as the program reads it: through the ANSI loader, in code
// page 932.
#include <gtest/gtest.h>

#include <string>

#include "messages/messages.h"

namespace {

std::string Load(UINT id, int capacity = LONG_TEXT_BUFFER) {
  char buffer[LONG_TEXT_BUFFER];
  int count = LoadStringA(nullptr, id, buffer, capacity);
  EXPECT_EQ(size_t(count), std::string(buffer).size()) << "id " << id;
  return buffer;
}

TEST(StringTable, ReachesTheProgramInCodePage932) {
  ASSERT_EQ(GetACP(), 932u);
  EXPECT_EQ(Load(STR_INSTALL_COMPLETE),
            "Kelmor \x83p\x83" "b\x83` 1.4 \x82\xAA\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD");
  EXPECT_EQ(Load(STR_CONFIRM_INSTALL),
            "Kelmor \x83p\x83" "b\x83` 1.4 \x82\xF0 %s \x82\xC9\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB5\x82\xDC\x82\xB7\x82\xA9?");
  // The title has an ordinary space, then an ideographic one (81 40); the
  // text ends with a full-width question mark (81 48).
  EXPECT_EQ(Load(STR_OFFER_SERVICE),
            "\x81uKelmor Ostravine\x81@\x8A\xAE\x91S\x93\xFA\x96{\x8C\xEA\x94\xC5\x81v\x82\xCD\x83}\x83\x8B\x83`\x83v\x83\x8C\x83"
            "C\x83\x84\x81[\x83}\x83" "b\x83`\x83\x93\x83O\x83T\x81[\x83r\x83X\x82\xF0\x92\xF1\x8B\x9F\x82\xB7\x82\xE9GameSpy Arcade"
            "\x82\xC9\x91\xCE\x89\x9E\x82\xB5\x82\xC4\x82\xA8\x82\xE8\x82\xDC\x82\xB7\x81" "BGameSpy Arcade\x82\xCC\x83V\x83X\x83"
            "e\x83\x80\x82\xF0\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81H");
}

TEST(StringTable, HoldsTheMessagesWordForWord) {
  const struct {
    UINT id;
    const char* text;
  } cases[] = {
      {1, "Find Resource Error"},
      {2, "Size Resource Error"},
      {3, "Load Resource Error"},
      {4, "Lock Resource Error"},
      {5, "File Create Error"},
      {7, "Kelmor Patch 1.4"},
      {8, "Kelmor is Not Installed"},
      {9, "Kelmor Patch 1.4 Error"},
      {10, "Registry Open Error"},
      {12, "Fatal Memory Error Creating %s\n"},
      {13, "Patch version %s is not newer than installed version %s\nDo you wish to continue?"},
      {14, "Patch version %s is the same as the installed version %s\nDo you wish to continue?"},
      {16, "It appears that DirectX 8.0 is not installed on this computer.  Kelmor: Ostravine now requires the "
           "installation of DirectX 8.0 or later.  DirectX 8.0 can be installed from the Kelmor: Ostravine CD, or "
           "downloaded from www.microsoft.com.  \nIf you continue with this installation, Kelmor may not run "
           "correctly.  Do you wish to continue?"},
      {17, "Launch GameSpy Arcade and Play Kelmor Online"},
      {18, "Download GameSpy Arcade to Play Kelmor Online"},
      {19, "Kelmor.exe"},
      {31, "ArcadeInstallKELMOR101b.EXE"},
      {39, "RenderD3D8.dll"},
  };
  for (const auto& c : cases) EXPECT_EQ(Load(c.id), c.text) << "id " << c.id;
}

TEST(StringTable, KeepsTheNamesThatOtherTextsDependOn) {
  EXPECT_EQ(Load(32), Load(STR_SERVICE_LAUNCH_NAME) + ".url");
  EXPECT_EQ(Load(33), Load(STR_SERVICE_DOWNLOAD_NAME) + ".url");
  EXPECT_EQ(Load(22), "readme_english.txt");  // the same name the clean-up deletes
  for (UINT id = 19; id <= 57; ++id) {
    bool exists = id < 34 || id > 37;
    EXPECT_EQ(!Load(id).empty(), exists) << "id " << id;
  }
}

// Windows copies whole characters only and always terminates; the count
// excludes the terminator.
TEST(StringTable, LoaderTruncatesToTheBuffer) {
  const struct {
    int capacity;
    const char* expected;
  } cases[] = {
      {1, ""},
      {2, "K"},
      {8, "Kelmor "},
      {9, "Kelmor "},  // the next character takes two bytes: it does not fit in 8
      {10, "Kelmor \x83p"},
  };
  for (const auto& c : cases) EXPECT_EQ(Load(STR_INSTALL_COMPLETE, c.capacity), c.expected) << "capacity " << c.capacity;
  EXPECT_EQ(Load(34), "");  // ids 34 to 37 do not exist
}

TEST(Resources, LookupsFailWithWindowsCodes) {
  SetLastError(0);
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(999), RT_STRING), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(104), "NOSUCHTYPE"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));

  HRSRC icon = FindResourceA(nullptr, MAKEINTRESOURCEA(101), RT_GROUP_ICON);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, icon), 6u + 14u);  // one 32x32 image
  const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, icon)));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group[4], 1);    // image count
  EXPECT_EQ(group[6], 32);   // width
  EXPECT_EQ(group[7], 32);   // height
  EXPECT_EQ(group[12], 8);   // bits per pixel: 256 colours
}

}  // namespace
