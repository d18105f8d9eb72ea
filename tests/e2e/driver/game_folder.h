// A game folder on the host's side: laying out an installed Kelmor at patch
// 1.3, reading back what a folder holds, and telling how it differs from
// what it should hold.
#pragma once

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

struct GameLayout {
  bool binFolder = true;      // the "Bin" sub-folder exists
  bool renderer = true;       // the DirectX 8 renderer (and its files) is installed
  bool onlineService = true;  // the matchmaking service is installed too, so the last phase asks nothing
};

// The player's own file, which the patch never touches.
extern const char kSettingsFile[];

// Lays out patch 1.3 in `folder` (made if missing): an older copy of each
// patch file whose place exists (renderer files only with the renderer), each
// with an older time than any in the patch, and the settings file.
bool LayOutGame(const std::string& folder, const GameLayout& layout, std::string* error);

// A game executable of an earlier patch whose version block carries `tag`:
// the anchor "$KLMR$VERBLK", then the tag 100 bytes after the anchor's first
// byte, as the patch's own executable carries its tag.
std::string TaggedGameExecutable(const std::string& tag);
// The tag found that way in `image`; "" when there is none.
std::string VersionTagOf(const std::string& image);

struct FileState {
  std::string content;
  uint64_t lastWrite;  // FILETIME
};
// Every file below a folder, by its path relative to it ("Bin/Units.dat").
using FolderState = std::map<std::string, FileState>;

FolderState ReadFolder(const std::string& folder);

// `before` with the patch files of `rows` written over it.
FolderState WithRowsWritten(FolderState before, const std::vector<int>& rows);

// One line per difference: missing, unexpected (a temporary file left
// behind, say), other content, other time. Empty when the two agree.
std::vector<std::string> Differences(const FolderState& expected, const FolderState& actual);
