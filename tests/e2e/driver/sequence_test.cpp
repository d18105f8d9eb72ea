// The questions before anything is written, and a library planted beside the
// installer.
#include <unistd.h>

#include <filesystem>

#include "patch_files.h"
#include "scenario.h"

namespace fs = std::filesystem;

namespace {

const char kNoDirectX8[] = "WINEDLLOVERRIDES=d3d8=d";
// A library found beside a program is then preferred to Wine's own, as a
// planted one would be on Windows.
const char kPreferLocalD3D8[] = "WINEDLLOVERRIDES=d3d8=n,b";

class Sequence : public Scenario {};

TEST_F(Sequence, GameKeyAbsentShowsOnlyNotInstalled) {
  InstallerRun run = RunInstaller("ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{NotInstalledBox()}));
  EXPECT_EXITED(run, 0);
}

TEST_F(Sequence, DeclinedConfirmationWritesNothing) {
  InstallGame(kGameFolder);
  InstallerRun run = RunInstaller("no");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(FilesBefore(), GameFiles());
}

// Without the game's key a read of the registry would show "not installed":
// the one box shows it was never read.
TEST_F(Sequence, DirectX8MissingAndDeclinedEndsBeforeTheRegistryIsRead) {
  InstallerRun run = RunInstaller("no", {kNoDirectX8});
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{DirectXMissingBox()}));
  EXPECT_EXITED(run, 0);
}

TEST_F(Sequence, DirectX8MissingAndAcceptedGoesOn) {
  InstallGame(kGameFolder);
  InstallerRun run = RunInstaller("yes,yes,ok", {kNoDirectX8});
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{DirectXMissingBox(), ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FOLDER(WithRowsWritten(FilesBefore(), AllRows()), GameFiles());
}

TEST_F(Sequence, D3D8PlantedBesideTheInstallerIsNeverLoaded) {
  const std::string planted = prefix_.HostPath(std::string(kDownloads) + "\\D3D8.DLL");
  const std::string marker = prefix_.HostPath(std::string(kDownloads) + "\\D3D8_LOADED.txt");
  const std::string loader = prefix_.HostPath(std::string(kDownloads) + "\\loadbyname.exe");
  fs::copy_file(HelperProgram("planted/planted_library.dll"), planted);
  fs::copy_file(HelperProgram("loadbyname.exe"), loader);

  // First, that a program asking for the bare name would get the planted one.
  ProcessResult careless = prefix_.Wine({std::string(kDownloads) + "\\loadbyname.exe", "D3D8.DLL"}, {kPreferLocalD3D8});
  ASSERT_EQ(careless.exitCode, 0) << careless.output;
  ASSERT_TRUE(fs::exists(marker)) << "the planted library is not found by name, so this scenario would prove nothing";
  fs::remove(marker);
  fs::remove(loader);

  InstallGame(kGameFolder);
  InstallerRun run = RunInstaller("yes,ok", {kPreferLocalD3D8});
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FALSE(fs::exists(marker)) << "the installer loaded the planted D3D8.DLL";
}

}  // namespace
