// The box routines, the system-error box and the checked allocation, against
// the real message boxes on Windows and the stand-in natively.
#include <gtest/gtest.h>

#include <string.h>

#include "boxes.h"
#include "messages/messages.h"
#include "messages/text.h"
#include "platform_support.h"

namespace {

TEST(Boxes, ShowTextsFromTheTableInTheirStyles) {
  BoxScript script({IDOK, IDYES, IDOK});
  EXPECT_EQ(ShowStringBox(STR_NOT_INSTALLED, STR_CAPTION_PATCH_ERROR, BOX_ERROR), IDOK);
  EXPECT_EQ(ShowTextBox("composed text", STR_CAPTION_PATCH, BOX_QUESTION), IDYES);
  EXPECT_EQ(ShowStringBox(STR_INSTALL_COMPLETE, STR_CAPTION_PATCH, BOX_INFORMATION), IDOK);

  std::vector<RecordedBox> boxes = script.Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].caption, "Kelmor Patch 1.4 Error");
  EXPECT_EQ(boxes[0].text, "Kelmor is Not Installed");
  EXPECT_EQ(boxes[0].style, 0x10u);
  EXPECT_EQ(boxes[1].caption, "Kelmor Patch 1.4");
  EXPECT_EQ(boxes[1].text, "composed text");
  EXPECT_EQ(boxes[1].style, 0x24u);
  EXPECT_EQ(boxes[2].style, 0x40u);
  for (const RecordedBox& box : boxes) EXPECT_FALSE(box.hasOwner);
}

TEST(Boxes, OnlyYesAcceptsAQuestion) {
  BoxScript script({IDYES, IDNO});
  EXPECT_TRUE(IsAccepted(ShowStringBox(STR_DIRECTX_MISSING, STR_CAPTION_PATCH, BOX_QUESTION)));
  EXPECT_FALSE(IsAccepted(ShowStringBox(STR_DIRECTX_MISSING, STR_CAPTION_PATCH, BOX_QUESTION)));
  // The script has run out: the box is closed the way a person would close it.
  EXPECT_FALSE(IsAccepted(ShowStringBox(STR_DIRECTX_MISSING, STR_CAPTION_PATCH, BOX_QUESTION)));
  ASSERT_EQ(script.Boxes().size(), 3u);
  EXPECT_TRUE(script.Boxes()[2].closedUnanswered);
  EXPECT_FALSE(IsAccepted(IDCANCEL));
  EXPECT_FALSE(IsAccepted(IDOK));
}

TEST(Boxes, ErrorCodeBoxShowsTheSystemText) {
  BoxScript script;
  for (DWORD code : {2u, 5u, 13u, 32u, 112u, 206u, 1813u, 1814u}) ShowErrorCodeBox(STR_CAPTION_FILE_CREATE, code);
  std::vector<RecordedBox> boxes = script.Boxes();
  ASSERT_EQ(boxes.size(), 8u);
  for (const RecordedBox& box : boxes) {
    EXPECT_EQ(box.caption, "File Create Error");
    EXPECT_EQ(box.style, 0x10u);
    EXPECT_FALSE(box.text.empty());
  }
  EXPECT_EQ(boxes[0].text, SystemErrorText(2));
  EXPECT_EQ(boxes[4].text, SystemErrorText(112));
  EXPECT_EQ(boxes[7].text, SystemErrorText(1814));
}

TEST(Boxes, ErrorCodeBoxNamesACodeTheSystemHasNoTextFor) {
  BoxScript script;
  ShowErrorCodeBox(STR_CAPTION_REGISTRY_OPEN, 0xDEAD);
  ASSERT_EQ(script.Boxes().size(), 1u);
  EXPECT_EQ(script.Boxes()[0].caption, "Registry Open Error");
  EXPECT_EQ(script.Boxes()[0].text, "Error 57005 (0x0000DEAD)");
}

TEST(CheckedAlloc, GivesAValidBlockForZeroBytes) {
  void* block = CheckedAlloc(0, "DecodeFile");
  ASSERT_NE(block, nullptr);
  CheckedFree(block);
  unsigned char* big = static_cast<unsigned char*>(CheckedAlloc(1630208, "DecodeFile"));
  big[0] = big[1630207] = 1;
  CheckedFree(big);
}

TEST(CheckedAllocDeathTest, RefusedRequestShowsTheLabelAndExitsWith3) {
  // A 32-bit process's heap can never give nearly 4 GiB.
  EXPECT_EXIT(
      {
        BoxScript script({IDOK}, /*echo=*/true);
        CheckedAlloc(0xFFFFFF00u, "DecodeFile");
      },
      testing::ExitedWithCode(3), "BOX Kelmor Patch 1\\.4 Error\\|Fatal Memory Error Creating DecodeFile\n\\|0x10");
}

TEST(ComposeText, TruncatesWithoutSplittingACharacter) {
  const char* katakana = "\x83p\x83" "b\x83`";  // three double-byte characters
  const struct {
    size_t capacity;
    bool fits;
    const char* expected;
  } cases[] = {
      {9, true, "ab\x83p\x83" "b\x83`"},
      {8, false, "ab\x83p\x83" "b"},  // the cut would leave a lone lead byte: it goes too
      {7, false, "ab\x83p\x83" "b"},
      {6, false, "ab\x83p"},
      {3, false, "ab"},
      {1, false, ""},
  };
  for (const auto& c : cases) {
    char out[16];
    memset(out, 'X', sizeof out);
    EXPECT_EQ(ComposeText(out, c.capacity, "ab%s", katakana), c.fits) << c.capacity;
    EXPECT_STREQ(out, c.expected) << c.capacity;
  }
}

}  // namespace
