// The Start-menu and online-service phases, run for real: a prefix whose
// shared programs folder holds the game's group with a retired shortcut.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "patch_files.h"
#include "prefix_state.h"
#include "scenario.h"
#include "string_table.h"
#include "tests/support/lnkinfo.h"

namespace fs = std::filesystem;

namespace {

const char kGameKey[] = "Software\\Halvecrest\\Kelmor";
const char kServiceKey[] = "Software\\GameSpy\\GameSpy Arcade";
const char kDefaultServicePath[] = "C:\\Program Files\\GameSpy Arcade\\Aphex.exe";
// Somewhere else than the service installer's default, so that a link to it
// shows the registry was read.
const char kOwnServiceFolder[] = "C:\\Online\\GameSpy Arcade";
const char kLaunchLink[] = "Launch GameSpy Arcade and Play Kelmor Online.lnk";
const char kDownloadLink[] = "Download GameSpy Arcade to Play Kelmor Online.lnk";
const char kMarker[] = "ArcadeInstallKELMOR101b.ran";
// Retired by the patch; readme_english.txt is laid out with the game.
const char* const kRetiredFiles[] = {"Kelmor.mpi", "readme_german.txt", "readme_french.txt", "readme_italian.txt",
                                     "readme_spanish.txt"};

// What a run may change below drive_c besides the game folder and the group:
// the harness's own files, and the folder the installer is copied into.
const char* const kHarnessPaths[] = {"e2e", "Downloads/KelmorPatch14.exe"};
const char kInstallerFolder[] = "Downloads";

bool Below(const std::string& path, const std::string& folder) {
  return path == folder || path.compare(0, folder.size() + 1, folder + "/") == 0;
}

class Shell : public Scenario {
 protected:
  // The game (with the service in a folder of its own, or without it), its
  // group with the retired shortcut, the retired files; then what the prefix
  // holds before the run.
  void LayOut(bool withService) {
    GameLayout layout;
    layout.onlineService = false;
    InstallGame(kGameFolder, layout);
    if (withService) {
      fs::create_directories(prefix_.HostPath(kOwnServiceFolder));
      std::ofstream(prefix_.HostPath(kOwnServiceFolder) + "/Aphex.exe") << "matchmaking service\n";
      std::string error;
      ASSERT_TRUE(prefix_.SetUserValue(kServiceKey, "InstDir", "REG_SZ", kOwnServiceFolder, &error)) << error;
    }
    MakeProgramGroup();
    for (const char* name : kRetiredFiles) std::ofstream(gameHostFolder_ + "/" + name) << name << "\n";
    prefix_.Shutdown();  // the registry written out
    driveBefore_ = ReadDrive(prefix_.root());
    gameKeyBefore_ = UserKeyValues(prefix_.root(), kGameKey);
    serviceKeyBefore_ = UserKeyValues(prefix_.root(), kServiceKey);
    ASSERT_NE(gameKeyBefore_, "");
  }

  // Once whatever the installer started has finished: only the game folder
  // and the group changed, and neither registry key.
  void ExpectNothingElseChanged() {
    prefix_.Shutdown();
    const std::string group = fs::relative(prefix_.HostPath(kProgramGroup), prefix_.HostPath("C:\\")).generic_string();
    const std::string game = fs::relative(gameHostFolder_, prefix_.HostPath("C:\\")).generic_string();
    std::vector<std::string> elsewhere;
    for (const std::string& path : ChangedPaths(driveBefore_, ReadDrive(prefix_.root()))) {
      bool allowed = Below(path, group) || Below(path, game) || path == kInstallerFolder;
      for (const char* harness : kHarnessPaths) allowed = allowed || Below(path, harness);
      if (!allowed) elsewhere.push_back(path);
    }
    EXPECT_EQ(elsewhere, std::vector<std::string>{});
    EXPECT_EQ(UserKeyValues(prefix_.root(), kGameKey), gameKeyBefore_);
    EXPECT_EQ(UserKeyValues(prefix_.root(), kServiceKey), serviceKeyBefore_);
  }

  // The group holds exactly `links` (sorted); the readme shortcut is one.
  void ExpectGroup(const std::vector<std::string>& links) {
    EXPECT_EQ(FolderEntries(prefix_.HostPath(kProgramGroup)), links);
    ExpectLink("Readme.txt.lnk", gameFolder_ + "\\readme.txt", "");
  }

  void ExpectLink(const std::string& name, const std::string& target, const std::string& arguments) {
    LnkinfoFields link;
    ASSERT_TRUE(ReadWithLnkinfo(prefix_.HostPath(kProgramGroup) + "/" + name, &link)) << name;
    EXPECT_EQ(link.target, target) << name;
    EXPECT_EQ(link.arguments, arguments) << name;
    EXPECT_EQ(link.workingFolder, gameFolder_) << name;
  }

  // The patch files, less the English readme that the group's refresh
  // deletes; the retired files are gone too.
  void ExpectGameFolder(bool installerRan) {
    FolderState expected = WithRowsWritten(FilesBefore(), AllRows());
    expected.erase("readme_english.txt");
    FolderState actual = GameFiles();
    EXPECT_EQ(actual.count(kMarker), installerRan ? 1u : 0u);
    if (installerRan) {
      EXPECT_EQ(actual[kMarker].content, "\"" + gameFolder_ + "\\ArcadeInstallKELMOR101b.EXE\"");
    }
    actual.erase(kMarker);
    EXPECT_FOLDER(expected, actual);
  }

  static std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  DriveState driveBefore_;
  std::string gameKeyBefore_;
  std::string serviceKeyBefore_;
};

// The Overview's typical run: no service, the offer accepted.
TEST_F(Shell, TypicalRunStartsTheShippedInstallerAndWritesTheLaunchShortcut) {
  LayOut(false);
  InstallerRun run = RunInstaller("yes,ok,yes");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox(), ServiceOfferBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_TRUE(WaitForFile(gameHostFolder_ + "/" + kMarker, 10000)) << "the service installer did not run";
  ExpectGroup({kLaunchLink, "Readme.txt.lnk"});
  ExpectLink(kLaunchLink, kDefaultServicePath, "+svc kelmor");
  ExpectGameFolder(true);
  ExpectNothingElseChanged();
}

TEST_F(Shell, DeclinedOfferWritesTheDownloadShortcut) {
  LayOut(false);
  InstallerRun run = RunInstaller("yes,ok,no");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox(), ServiceOfferBox()}));
  EXPECT_EXITED(run, 0);
  ExpectGroup({kDownloadLink, "Readme.txt.lnk"});
  ExpectLink(kDownloadLink, gameFolder_ + "\\Download GameSpy Arcade to Play Kelmor Online.url", "");
  ExpectGameFolder(false);
  ExpectNothingElseChanged();
}

TEST_F(Shell, RegisteredServiceGetsTheLaunchShortcutWithoutAQuestion) {
  LayOut(true);
  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox()}));
  EXPECT_EXITED(run, 0);
  ExpectGroup({kLaunchLink, "Readme.txt.lnk"});
  ExpectLink(kLaunchLink, std::string(kOwnServiceFolder) + "\\Aphex.exe", "+svc kelmor");
  ExpectGameFolder(false);
  ExpectNothingElseChanged();
}

}  // namespace
