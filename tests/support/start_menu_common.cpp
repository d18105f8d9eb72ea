#include <windows.h>
#include <shlobj.h>

#include "files.h"
#include "start_menu.h"

std::string ProgramsFolder(int csidl) {
  char folder[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, folder, csidl, TRUE);
  return folder;
}

GameGroup::GameGroup(int csidl, Kind kind) : path_(ProgramsFolder(csidl) + "\\Kelmor") {
  made_ = kind == AS_FOLDER ? CreateDirectoryA(path_.c_str(), nullptr) != FALSE : WriteTestFile(path_, "not a folder");
}

GameGroup::~GameGroup() { RemoveTree(path_); }
