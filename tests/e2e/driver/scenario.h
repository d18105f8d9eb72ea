// The fixture of every scenario: a fresh prefix of its own, the game laid
// out and registered there, the installer run through boxwatch, and the
// boxes it showed in the words the user saw.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The installer's string ids and the Win32 error codes, from the program's
// own header (over the stand-in's windows.h on this side).
#include "messages/messages.h"

#include "game_folder.h"
#include "prefix.h"
#include "transcript.h"

struct InstallerRun {
  Transcript transcript;
  int exitCode;        // boxwatch's, which is the program's
  std::string output;  // what Wine and boxwatch said
};

// The Windows side's own folders and programs.
extern const char kDownloads[];   // "C:\\Downloads": where the user saved the installer
extern const char kInstaller[];   // the installer there
extern const char kGameFolder[];  // "C:\\Games\\Kelmor": where the game is, unless a scenario needs another place
// The game's Start-menu group under the shared programs folder, and the
// shortcut of patch 1.3 there that the patch retires.
extern const char kProgramGroup[];
extern const char kRetiredShortcut[];  // "Kelmor MPlayer.lnk"
std::string HelperProgram(const char* name);  // host path of a helper .exe
// The host path of an installer built with one payload record damaged.
std::string VariantInstaller(const char* name);

// Waits up to `timeoutMs` for a host file to appear (one a process started by
// the installer leaves); true when it is there.
bool WaitForFile(const std::string& hostPath, int timeoutMs);

class Scenario : public testing::Test {
 protected:
  void SetUp() override;
  // Stops the prefix's wineserver; deletes the prefix when the scenario passed.
  void TearDown() override;

  // Registers the game at `folder` (HKCU "DestDir") and lays it out there;
  // installs the matchmaking service as the layout says.
  void InstallGame(const std::string& folder, const GameLayout& layout = GameLayout());
  void InstallOnlineService();
  // Makes kProgramGroup with kRetiredShortcut in it.
  void MakeProgramGroup();
  void SetGameFolderValue(const std::string& folder);

  // Runs `command` (a program, Windows or host path, and its arguments)
  // through boxwatch with `boxwatchArgs`; `env` adds to Wine's environment.
  InstallerRun RunWatched(const std::vector<std::string>& command, const std::vector<std::string>& boxwatchArgs,
                          const std::vector<std::string>& env = {});
  // Runs the installer from the downloads folder, answering its boxes with
  // `answers` ("yes,ok") and failing the run on any box beyond them.
  InstallerRun RunInstaller(const std::string& answers, const std::vector<std::string>& env = {});
  // The same with another build of it (a host path), copied there under the
  // installer's name.
  InstallerRun RunInstallerBuild(const std::string& hostExe, const std::string& answers,
                                 const std::vector<std::string>& env = {});

  // What the game folder holds now, and what it held just after InstallGame
  // (and any WriteGameFile since).
  FolderState GameFiles() const { return ReadFolder(gameHostFolder_); }
  const FolderState& FilesBefore() const { return before_; }
  // Writes a file into the installed game, a new one or over a file of the
  // game ("Kelmor.exe").
  void WriteGameFile(const std::string& relativePath, const std::string& content);

  // The system's text for an error code, as the installer shows it.
  std::string SystemText(unsigned code);

  // The boxes the installer shows.
  ShownBox ConfirmBox() const;
  static ShownBox CompletionBox();
  static ShownBox NotInstalledBox();
  static ShownBox DirectXMissingBox();
  static ShownBox ServiceOfferBox();
  ShownBox ErrorCodeBox(int captionId, unsigned code);

  // Runs the installer ("yes,ok") while holdfile.exe, given `holdfileArgs`,
  // holds a file open; expects the confirmation, then caption 5 for the
  // replace that Windows refuses with a sharing violation or a denied
  // access, depending on its version, and the program's normal end.
  void ExpectReplaceRefusedWhileHeld(const std::vector<std::string>& holdfileArgs);

  WinePrefix prefix_;
  std::string gameFolder_;      // as registered
  std::string gameHostFolder_;  // the same on the host
  FolderState before_;
};

// Fails the test with each difference when the folder is not as expected.
#define EXPECT_FOLDER(expected, actual)                                                    \
  do {                                                                                     \
    std::vector<std::string> differences_ = Differences((expected), (actual));             \
    std::string list_;                                                                     \
    for (const std::string& line_ : differences_) list_ += "\n  " + line_;                 \
    EXPECT_TRUE(differences_.empty()) << differences_.size() << " differences:" << list_;  \
  } while (0)

// The run ended by the program's exit with `code`.
#define EXPECT_EXITED(run, code)                                    \
  do {                                                              \
    EXPECT_EQ((run).transcript.end, "exit") << (run).output;        \
    EXPECT_EQ((run).transcript.endValue, std::to_string(code));     \
    EXPECT_EQ((run).exitCode, (code));                              \
  } while (0)
