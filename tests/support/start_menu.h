// The Start menu as the code under test sees it: the programs folders, the
// game's "Kelmor" group in one of them, and the shipped service installer.
#pragma once

#include <string>

// The folder SHGetSpecialFolderPathA gives for `csidl` (CSIDL_COMMON_PROGRAMS
// or CSIDL_PROGRAMS), made when missing.
std::string ProgramsFolder(int csidl);

// "Kelmor" under one programs folder, a folder or a plain file, for the life
// of the fixture; removed with whatever it holds afterwards.
class GameGroup {
 public:
  enum Kind { AS_FOLDER, AS_FILE };
  explicit GameGroup(int csidl, Kind kind = AS_FOLDER);
  ~GameGroup();
  GameGroup(const GameGroup&) = delete;
  GameGroup& operator=(const GameGroup&) = delete;

  const std::string& Path() const { return path_; }
  bool Made() const { return made_; }

 private:
  std::string path_;
  bool made_;
};

// Puts "ArcadeInstallKELMOR101b.EXE" into `folder`: on Windows our real
// stand-in for the service's installer, natively a file in its place.
bool PlaceServiceInstaller(const std::string& folder);

// Whether the installer in `folder` was started: on Windows its marker file
// appears (waited for, so the process is done with the folder), natively the
// stand-in recorded a successful launch of it.
bool ServiceInstallerStarted(const std::string& folder);
