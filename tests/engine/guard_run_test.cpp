// The version guard inside the extraction, against an installed game
// executable that carries a tag.
#include <gtest/gtest.h>

#include "boxes.h"
#include "files.h"
#include "patch_image.h"
#include "payload/extract.h"

namespace {

// An installed game executable tagged `tag` the way the patch's is.
std::string TaggedExecutable(const std::string& tag) {
  std::string image(4096, '\x90');
  image += "$KLMR$VERBLK";
  image.resize(image.size() - 12 + 100, '\0');
  image += tag;
  image += std::string(2048, '\0');
  return image;
}

class GuardRun : public testing::Test {
 protected:
  void SetUp() override {
    folder_.MakeFolder("Bin");
    ASSERT_TRUE(WriteTestFile(folder_ / "Kelmor.exe", installed_));
  }
  std::string installed_ = TaggedExecutable("Kelmor v1.5");
  TempFolder folder_;
};

TEST_F(GuardRun, DecliningStopsBeforeTheGameExecutableIsWritten) {
  BoxScript script({IDNO});
  ExtractPatchFiles(folder_.Path().c_str());
  ASSERT_EQ(script.Boxes().size(), 1u);  // the question, and no completion box
  EXPECT_EQ(script.Boxes()[0].text,
            "Patch version Kelmor v1.4 is not newer than installed version Kelmor v1.5\nDo you wish to continue?");
  EXPECT_EQ(script.Boxes()[0].style, 0x24u);
  EXPECT_EQ(ReadTestFile(folder_ / "Kelmor.exe"), installed_);
  EXPECT_EQ(FolderEntries(folder_.Path()), (std::vector<std::string>{"Bin", "Kelmor.exe"}));
  EXPECT_TRUE(FolderEntries(folder_ / "Bin").empty());
}

TEST_F(GuardRun, AcceptingGoesOn) {
  BoxScript script({IDYES, IDOK});
  ExtractPatchFiles(folder_.Path().c_str());
  ASSERT_EQ(script.Boxes().size(), 2u);
  EXPECT_EQ(script.Boxes()[1].caption, "Kelmor Patch 1.4");
  EXPECT_EQ(ReadTestFile(folder_ / "Kelmor.exe"), ImageOfRow(0).content);
}

TEST_F(GuardRun, AnOlderInstalledTagAsksNothing) {
  installed_ = TaggedExecutable("Kelmor v1.3");
  ASSERT_TRUE(WriteTestFile(folder_ / "Kelmor.exe", installed_));
  BoxScript script({IDOK});
  ExtractPatchFiles(folder_.Path().c_str());
  ASSERT_EQ(script.Boxes().size(), 1u);  // the completion box only
  EXPECT_EQ(ReadTestFile(folder_ / "Kelmor.exe"), ImageOfRow(0).content);
}

}  // namespace
