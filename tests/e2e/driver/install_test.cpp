// What the extraction writes into an installed game, run for real.
#include "patch_files.h"
#include "scenario.h"

namespace {

class Install : public Scenario {};

TEST_F(Install, TypicalRunWritesAll35FilesAndShowsTheCompletionBox) {
  InstallGame(kGameFolder);
  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), AllRows()), GameFiles());
}

TEST_F(Install, WithoutTheRendererLibraryWritesTheOther22Files) {
  GameLayout layout;
  layout.renderer = false;
  InstallGame(kGameFolder, layout);
  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  ASSERT_EQ(RowsWithoutRenderer().size(), 22u);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), RowsWithoutRenderer()), GameFiles());
}

TEST_F(Install, WithoutTheBinFolderStopsAtRow5) {
  GameLayout layout;
  layout.binFolder = false;
  InstallGame(kGameFolder, layout);
  InstallerRun run = RunInstaller("yes,ok");
  // The temporary file is the first thing made there: "the directory name is
  // invalid".
  EXPECT_EQ(run.transcript.boxes,
            (std::vector<ShownBox>{ConfirmBox(), ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_DIRECTORY)}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), RowRange(0, 4)), GameFiles());
}

}  // namespace
