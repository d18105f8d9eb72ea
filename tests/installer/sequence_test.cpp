// The install sequence from the DirectX probe to the last phase: under Wine
// against the real registry and files, natively against the stand-in.
#include <gtest/gtest.h>

#include "boxes.h"
#include "files.h"
#include "installer/sequence.h"
#include "platform_support.h"
#include "registry.h"

namespace {

const char kGameKey[] = "Software\\Halvecrest\\Kelmor";
const char kNotInstalled[] = "Kelmor is Not Installed";

// "Kelmor パッチ 1.4 を %s にインストールしますか?" with the folder filled in.
std::string ConfirmText(const std::string& folder) {
  return "Kelmor \x83p\x83" "b\x83` 1.4 \x82\xF0 " + folder +
         " \x82\xC9\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x82\xB5\x82\xDC\x82\xB7\x82\xA9?";
}

class Sequence : public testing::Test {
 protected:
  std::vector<RecordedBox> Run(std::vector<int> answers) {
    BoxScript script(answers);
    RunInstall();
    return script.Boxes();
  }

  TestRegistry registry_;
  TempFolder folder_;
};

TEST_F(Sequence, WithoutTheGameKeyTheOnlyBoxSaysItIsNotInstalled) {
  std::vector<RecordedBox> boxes = Run({IDOK});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Kelmor Patch 1.4 Error");
  EXPECT_EQ(boxes[0].text, kNotInstalled);
  EXPECT_EQ(boxes[0].style, 0x10u);
}

TEST_F(Sequence, UsesDestDirOnlyAsATerminatedNonEmptyString) {
  const std::string folder259 = folder_.Path() + "\\" + std::string(259 - folder_.Path().size() - 1, 'd');
  const struct {
    const char* what;
    std::string data;
    const char* asked;  // the folder the confirmation names, or null: not installed
  } cases[] = {
      {"a plain value", folder_.Path() + '\0', "plain"},
      {"a value stored without its terminator", folder_.Path(), "plain"},
      {"259 bytes and the terminator fill the buffer", folder259 + '\0', "long"},
      {"260 bytes without a terminator", folder259 + "d", nullptr},
      {"261 bytes with the terminator", folder259 + "dd" + '\0', nullptr},
      {"an empty value", std::string("\0", 1), nullptr},
      {"no bytes at all", "", nullptr},
  };
  for (const auto& c : cases) {
    registry_.Set(kGameKey, "DestDir", REG_SZ, c.data);
    std::vector<RecordedBox> boxes = Run({c.asked ? IDNO : IDOK});
    ASSERT_EQ(boxes.size(), 1u) << c.what;
    if (!c.asked) {
      EXPECT_EQ(boxes[0].text, kNotInstalled) << c.what;
      continue;
    }
    std::string folder = std::string(c.asked) == "long" ? folder259 : folder_.Path();
    EXPECT_EQ(boxes[0].text, ConfirmText(folder)) << c.what;
    EXPECT_EQ(boxes[0].caption, "Kelmor Patch 1.4") << c.what;
    EXPECT_EQ(boxes[0].style, 0x24u) << c.what;
  }
}

TEST_F(Sequence, AKeyThatRefusesFullAccessShowsTheSystemText) {
  if (!registry_.RefuseFullAccess(kGameKey)) GTEST_SKIP() << "the registry here keeps no permissions";
  registry_.SetString(kGameKey, "DestDir", folder_.Path());
  std::vector<RecordedBox> boxes = Run({IDOK});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Registry Open Error");
  EXPECT_EQ(boxes[0].text, SystemErrorText(ERROR_ACCESS_DENIED));
}

TEST_F(Sequence, DecliningTheConfirmationWritesNothing) {
  std::string game = folder_.MakeFolder("\x83Q\x81[\x83\x80\\\x83\\\x83t\x83g\\Kelmor");  // ソ ends in 0x5C
  CreateDirectoryA((game + "\\Bin").c_str(), nullptr);
  registry_.SetString(kGameKey, "DestDir", game);
  std::vector<RecordedBox> boxes = Run({IDNO});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, ConfirmText(game));
  EXPECT_EQ(FolderEntries(game), std::vector<std::string>{"Bin"});
  EXPECT_TRUE(FolderEntries(game + "\\Bin").empty());
}

TEST_F(Sequence, TheLaterPhasesRunEvenWhenExtractionStopsWithAnError) {
  registry_.SetString(kGameKey, "DestDir", folder_.Path());  // no "Bin": row 5 fails
  std::vector<RecordedBox> boxes = Run({IDYES, IDOK, IDNO});
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].caption, "File Create Error");
  // Phase 5 found no service and offered to install it.
  EXPECT_EQ(boxes[2].caption, "Kelmor Patch 1.4");
  EXPECT_EQ(boxes[2].style, 0x24u);
  EXPECT_EQ(boxes[2].text.rfind("\x81uKelmor Ostravine", 0), 0u);
}

TEST_F(Sequence, ConfirmedInstallWritesThePatchAndEnds) {
  folder_.MakeFolder("Bin");
  registry_.SetString(kGameKey, "DestDir", folder_.Path());
  std::vector<RecordedBox> boxes = Run({IDYES, IDOK, IDNO});
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].style, 0x40u);  // the completion box
  EXPECT_TRUE(ReadTestFile(folder_ / "Kelmor.exe"));
  EXPECT_TRUE(ReadTestFile(folder_ / "Bin\\Units.dat"));
}

TEST(DirectXProbe, PresentRendererAsksNothing) {
  BoxScript script;
  EXPECT_TRUE(ProbeDirectX8());
  EXPECT_TRUE(script.Boxes().empty());
}

}  // namespace
