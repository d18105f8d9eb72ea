// The version guard over an installed game executable whose tag sorts after
// the patch's own.
#include "patch_files.h"
#include "scenario.h"
#include "string_table.h"

namespace {

const char kInstalledTag[] = "Kelmor v1.5";

class Guard : public Scenario {
 protected:
  // The game at patch 1.3, but with an executable tagged kInstalledTag.
  void InstallNewerGame(const GameLayout& layout = GameLayout()) {
    InstallGame(kGameFolder, layout);
    WriteGameFile("Kelmor.exe", TaggedGameExecutable(kInstalledTag));
  }

  // String 13 with the patch's tag first and the installed one second.
  static ShownBox NotNewerBox() {
    std::string error;
    const std::string patchTag = VersionTagOf(PatchFiles(&error).at(0).content);
    EXPECT_EQ(patchTag, "Kelmor v1.4") << error;
    return {TableText(STR_CAPTION_PATCH), FillIn(TableText(STR_VERSION_OLDER), patchTag, kInstalledTag), "Yes No",
            "question", ""};
  }
};

// Declining stops before row 0 is written; the later phases still run, so the
// offer of the missing service comes after it.
TEST_F(Guard, DecliningTheOlderPatchLeavesEveryFileAsItWas) {
  GameLayout layout;
  layout.onlineService = false;
  InstallNewerGame(layout);
  InstallerRun run = RunInstaller("yes,no,no");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), NotNewerBox(), ServiceOfferBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(FilesBefore(), GameFiles());
}

TEST_F(Guard, AcceptingTheOlderPatchWritesAllFiles) {
  InstallNewerGame();
  InstallerRun run = RunInstaller("yes,yes,ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), NotNewerBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), AllRows()), GameFiles());
}

}  // namespace
