#include "game_folder.h"

#include <string.h>

#include <filesystem>

#include "patch_files.h"
#include "tools/patchpack/file_io.h"
#include "tools/patchpack/filetime.h"

namespace fs = std::filesystem;

const char kSettingsFile[] = "Kelmor.cfg";

namespace {

const char kOldTime[] = "2002-03-14T12:00:00Z";  // patch 1.3
const uint64_t kMinute = 600000000ull;              // in FILETIME units
const char kVersionAnchor[] = "$KLMR$VERBLK";
const size_t kTagOffset = 100;  // from the anchor's first byte

bool WriteFileAt(const std::string& path, const std::string& content, uint64_t fileTime, std::string* error) {
  struct timespec mtime = TimespecFromFileTime(fileTime);
  return WriteWholeFile(path.c_str(), reinterpret_cast<const unsigned char*>(content.data()), content.size(), &mtime,
                        error);
}

std::string Iso(uint64_t fileTime) { return FormatIsoTime(fileTime); }

}  // namespace

bool LayOutGame(const std::string& folder, const GameLayout& layout, std::string* error) {
  const std::vector<PatchFile>& files = PatchFiles(error);
  if (files.empty()) return false;
  std::error_code failed;
  fs::create_directories(folder, failed);
  if (layout.binFolder) fs::create_directories(folder + "/Bin", failed);
  if (failed) {
    *error = "cannot make " + folder + ": " + failed.message();
    return false;
  }
  uint64_t oldTime = 0;
  ParseIsoTime(kOldTime, &oldTime);
  if (!WriteFileAt(folder + "/" + kSettingsFile, "[video]\nrenderer=d3d8\n", oldTime, error)) return false;
  for (const PatchFile& file : files) {
    if ((!file.folder.empty() && !layout.binFolder) || (file.needsRenderer && !layout.renderer)) continue;
    std::string content = "Kelmor: Ostravine 1.3 " + file.name + "\n";
    if (!WriteFileAt(folder + "/" + RelativePath(file), content, oldTime + file.row * kMinute, error)) return false;
  }
  return true;
}

std::string TaggedGameExecutable(const std::string& tag) {
  std::string image = "MZ Kelmor: Ostravine 1.3 Kelmor.exe\n";
  image += kVersionAnchor;
  image.resize(image.size() - strlen(kVersionAnchor) + kTagOffset, '\0');
  image += tag;
  image.resize(image.size() + 64, '\0');
  return image;
}

std::string VersionTagOf(const std::string& image) {
  size_t anchor = image.find(kVersionAnchor);
  if (anchor == std::string::npos || anchor + kTagOffset >= image.size()) return std::string();
  size_t end = image.find('\0', anchor + kTagOffset);
  return end == std::string::npos ? std::string() : image.substr(anchor + kTagOffset, end - anchor - kTagOffset);
}

FolderState ReadFolder(const std::string& folder) {
  FolderState state;
  std::error_code failed;
  for (fs::recursive_directory_iterator it(folder, failed), end; !failed && it != end; it.increment(failed)) {
    if (!it->is_regular_file()) continue;
    std::vector<unsigned char> bytes;
    struct timespec mtime;
    std::string ignored;
    if (!ReadWholeFile(it->path().c_str(), &bytes, &mtime, &ignored)) continue;
    state[fs::relative(it->path(), folder).generic_string()] = {std::string(bytes.begin(), bytes.end()),
                                                                FileTimeFromTimespec(mtime)};
  }
  return state;
}

FolderState WithRowsWritten(FolderState before, const std::vector<int>& rows) {
  std::string ignored;
  const std::vector<PatchFile>& files = PatchFiles(&ignored);
  for (int row : rows)
    if (row >= 0 && size_t(row) < files.size())
      before[RelativePath(files[row])] = {files[row].content, files[row].storedTime};
  return before;
}

std::vector<std::string> Differences(const FolderState& expected, const FolderState& actual) {
  std::vector<std::string> lines;
  for (const auto& [path, want] : expected) {
    auto found = actual.find(path);
    if (found == actual.end()) {
      lines.push_back(path + ": missing");
      continue;
    }
    const FileState& got = found->second;
    if (got.content != want.content)
      lines.push_back(path + ": other content (" + std::to_string(got.content.size()) + " bytes, expected " +
                      std::to_string(want.content.size()) + ")");
    if (got.lastWrite != want.lastWrite)
      lines.push_back(path + ": last written " + Iso(got.lastWrite) + ", expected " + Iso(want.lastWrite));
  }
  for (const auto& [path, got] : actual)
    if (!expected.count(path)) lines.push_back(path + ": unexpected (" + std::to_string(got.content.size()) + " bytes)");
  return lines;
}
