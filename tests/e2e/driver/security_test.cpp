// Nothing the installer loads or starts can be redirected by a file planted
// beside it (its own, and current, folder) or where a careless launch looks
// first. Each scenario first shows that a careless program would be caught.
#include <filesystem>

#include "scenario.h"

namespace fs = std::filesystem;

namespace {

// A library found beside a program is then preferred to Wine's own, as a
// planted one would be on Windows.
const char kPreferLocalShell32[] = "WINEDLLOVERRIDES=shell32=n,b";
const char kArcadeInstaller[] = "ArcadeInstallKELMOR101b.EXE";
const char kArcadeMarker[] = "ArcadeInstallKELMOR101b.ran";
// Where an unquoted "C:\Program Files\Kelmor Game\..." is looked for first.
const char* const kPlantedPrograms[] = {"C:\\Program.exe", "C:\\Program Files\\Kelmor.exe"};

class Security : public Scenario {
 protected:
  void Plant(const char* helper, const std::string& windowsPath) {
    std::error_code failed;
    fs::copy_file(HelperProgram(helper), prefix_.HostPath(windowsPath), fs::copy_options::overwrite_existing, failed);
    ASSERT_FALSE(failed) << windowsPath << ": " << failed.message();
  }

  // "C:\Program_RAN.txt" for "C:\Program.exe".
  std::string RanMarker(const std::string& program) const {
    return prefix_.HostPath(program.substr(0, program.size() - 4) + "_RAN.txt");
  }
};

// The shell library is loaded by name for the shell version and the programs
// folder, and by COM for the shell link object; the group's readme shortcut
// shows both worked.
TEST_F(Security, Shell32PlantedBesideTheInstallerIsNeverLoaded) {
  const std::string marker = prefix_.HostPath(std::string(kDownloads) + "\\shell32_LOADED.txt");
  Plant("planted/planted_library.dll", std::string(kDownloads) + "\\shell32.dll");
  Plant("loadbyname.exe", std::string(kDownloads) + "\\loadbyname.exe");
  ProcessResult careless =
      prefix_.Wine({std::string(kDownloads) + "\\loadbyname.exe", "shell32.dll"}, {kPreferLocalShell32});
  ASSERT_EQ(careless.exitCode, 0) << careless.output;
  ASSERT_TRUE(fs::exists(marker)) << "the planted library is not found by name, so this scenario would prove nothing";
  fs::remove(marker);
  fs::remove(prefix_.HostPath(std::string(kDownloads) + "\\loadbyname.exe"));

  InstallGame(kGameFolder);
  MakeProgramGroup();
  InstallerRun run = RunInstaller("yes,ok", {kPreferLocalShell32});
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_FALSE(fs::exists(marker)) << "the installer loaded the planted shell32.dll";
  EXPECT_TRUE(fs::exists(prefix_.HostPath(std::string(kProgramGroup) + "\\Readme.txt.lnk")));
}

TEST_F(Security, ServiceInstallerInAFolderWithSpacesStartsWithoutAPlantedProgram) {
  const std::string folder = "C:\\Program Files\\Kelmor Game";
  for (const char* program : kPlantedPrograms) Plant("planted/planted_program.exe", program);
  Plant("winexec.exe", "C:\\e2e\\winexec.exe");
  ProcessResult careless = prefix_.Wine({"C:\\e2e\\winexec.exe", folder + "\\" + kArcadeInstaller});
  ASSERT_EQ(careless.exitCode, 0) << careless.output;
  ASSERT_TRUE(WaitForFile(RanMarker(kPlantedPrograms[0]), 10000))
      << "an unquoted launch does not find the planted program, so this scenario would prove nothing";
  fs::remove(RanMarker(kPlantedPrograms[0]));

  GameLayout layout;
  layout.onlineService = false;
  InstallGame(folder, layout);
  InstallerRun run = RunInstaller("yes,ok,yes");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox(), ServiceOfferBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_TRUE(WaitForFile(gameHostFolder_ + "/" + kArcadeMarker, 10000)) << "the shipped service installer did not run";
  prefix_.Shutdown();  // whatever was started has ended
  for (const char* program : kPlantedPrograms) EXPECT_FALSE(fs::exists(RanMarker(program))) << program << " ran";
}

}  // namespace
