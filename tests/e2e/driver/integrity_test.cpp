// The whole prefix before and after a run: its drive and its registry. A run
// changes the game folder's patch files, the retired files and the program
// group's shortcuts, and what the service installer it starts leaves; nothing
// else, not even a temporary file, and nothing in the registry.
#include <string.h>

#include <filesystem>
#include <set>

#include "patch_files.h"
#include "prefix_state.h"
#include "registry_state.h"
#include "scenario.h"

namespace fs = std::filesystem;

namespace {

const char* const kRetiredFiles[] = {"Kelmor.mpi",        "readme_english.txt", "readme_german.txt",
                                     "readme_french.txt", "readme_italian.txt", "readme_spanish.txt"};
const char kServiceMarker[] = "ArcadeInstallKELMOR101b.ran";

// What the harness itself changes on the drive: boxwatch's transcript and the
// installer copied into the downloads folder.
bool IsHarnessPath(const std::string& path) {
  return path == "e2e" || path.compare(0, 4, "e2e/") == 0 || path == "Downloads" ||
         path == "Downloads/KelmorPatch14.exe";
}

// Keys Wine itself writes again at the start of each session, whatever runs:
// its display driver's adapter and monitor classes, and the network cards.
const char* const kWineSessionKeys[] = {
    "system.reg [System\\\\CurrentControlSet\\\\Control\\\\Class\\\\{4D36E968-E325-11CE-BFC1-08002BE10318}",
    "system.reg [System\\\\CurrentControlSet\\\\Control\\\\Class\\\\{4D36E96E-E325-11CE-BFC1-08002BE10318}",
    "system.reg [Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\NetworkCards]",
};

// The registry's changes, less Wine's own.
std::vector<std::string> ChangedKeysBesidesWine(const RegistryState& before, const RegistryState& after) {
  std::vector<std::string> changed;
  for (const std::string& key : ChangedKeys(before, after)) {
    bool wine = false;
    for (const char* session : kWineSessionKeys) wine = wine || key.compare(0, strlen(session), session) == 0;
    if (!wine) changed.push_back(key);
  }
  return changed;
}

class Integrity : public Scenario {
 protected:
  // The game, unless `registered` is false, without the matchmaking service;
  // its program group with the retired shortcut; the retired files.
  void LayOut(bool registered, const GameLayout& base = GameLayout()) {
    GameLayout layout = base;
    layout.onlineService = false;
    if (registered) {
      InstallGame(kGameFolder, layout);
      for (const char* name : kRetiredFiles)
        if (!FilesBefore().count(name)) WriteGameFile(name, std::string(name) + " of patch 1.3\n");
    }
    MakeProgramGroup();
    prefix_.Shutdown();  // the registry written out
    driveBefore_ = ReadDrive(prefix_.root());
    registryBefore_ = ReadRegistry(prefix_.root());
  }

  // Once whatever the run started has finished: exactly `expected` changed on
  // the drive ("+made", "-deleted", "~written", by path below drive_c), and
  // nothing in the registry.
  void ExpectChanges(const std::set<std::string>& expected) {
    prefix_.Shutdown();
    const DriveState after = ReadDrive(prefix_.root());
    std::set<std::string> changes;
    for (const std::string& path : ChangedPaths(driveBefore_, after)) {
      if (IsHarnessPath(path)) continue;
      const char kind = !driveBefore_.count(path) ? '+' : !after.count(path) ? '-' : '~';
      changes.insert(kind + path);
    }
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(ChangedKeysBesidesWine(registryBefore_, ReadRegistry(prefix_.root())), std::vector<std::string>{});
  }

  // The drive's path of a game file or folder, and of the group's.
  std::string Game(const std::string& relativePath = "") const {
    const std::string folder = fs::relative(gameHostFolder_, prefix_.HostPath("C:\\")).generic_string();
    return relativePath.empty() ? folder : folder + "/" + relativePath;
  }
  std::string Group(const std::string& name = "") const {
    const std::string group = fs::relative(prefix_.HostPath(kProgramGroup), prefix_.HostPath("C:\\")).generic_string();
    return name.empty() ? group : group + "/" + name;
  }

  // A confirmed run that wrote `rows`: those files written, the retired files
  // deleted (the English readme that a row has just written among them), the
  // retired shortcut replaced by the readme's and the service's `link`.
  std::set<std::string> ConfirmedRunChanges(const std::vector<int>& rows, const std::string& link) const {
    std::string error;
    const std::vector<PatchFile>& files = PatchFiles(&error);
    std::set<std::string> changes = {"~" + Game(), "~" + Group(), "-" + Group(kRetiredShortcut),
                                     "+" + Group("Readme.txt.lnk"), "+" + Group(link)};
    for (const char* name : kRetiredFiles) changes.insert("-" + Game(name));
    for (int row : rows) {
      const std::string path = RelativePath(files.at(row));
      if (!changes.count("-" + Game(path))) changes.insert("~" + Game(path));
      if (!files[row].folder.empty()) changes.insert("~" + Game(files[row].folder));
    }
    return changes;
  }

  DriveState driveBefore_;
  RegistryState registryBefore_;
};

TEST_F(Integrity, TypicalRunChangesOnlyThePatchFilesAndTheGroup) {
  LayOut(true);
  InstallerRun run = RunInstaller("yes,ok,yes");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox(), CompletionBox(), ServiceOfferBox()}));
  EXPECT_EXITED(run, 0);
  EXPECT_TRUE(WaitForFile(gameHostFolder_ + "/" + kServiceMarker, 10000)) << "the service installer did not run";
  std::set<std::string> expected = ConfirmedRunChanges(AllRows(), "Launch GameSpy Arcade and Play Kelmor Online.lnk");
  expected.insert("+" + Game(kServiceMarker));
  ExpectChanges(expected);
}

TEST_F(Integrity, DeclinedConfirmationChangesNothing) {
  LayOut(true);
  InstallerRun run = RunInstaller("no");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{ConfirmBox()}));
  EXPECT_EXITED(run, 0);
  ExpectChanges({});
}

TEST_F(Integrity, GameNotInstalledChangesNothing) {
  LayOut(false);
  InstallerRun run = RunInstaller("ok");
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{NotInstalledBox()}));
  EXPECT_EXITED(run, 0);
  ExpectChanges({});
}

// Without "Bin" the extraction stops at row 5, before the service installer
// (row 13) is written: accepting the offer starts nothing, and the group gets
// the download shortcut.
TEST_F(Integrity, ExtractionStoppedByAnErrorChangesOnlyWhatWasDone) {
  GameLayout layout;
  layout.binFolder = false;
  LayOut(true, layout);
  InstallerRun run = RunInstaller("yes,ok,yes");
  EXPECT_EQ(
      run.transcript.boxes,
      (std::vector<ShownBox>{ConfirmBox(), ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_DIRECTORY), ServiceOfferBox()}));
  EXPECT_EXITED(run, 0);
  ExpectChanges(ConfirmedRunChanges(RowRange(0, 4), "Download GameSpy Arcade to Play Kelmor Online.lnk"));
}

}  // namespace
