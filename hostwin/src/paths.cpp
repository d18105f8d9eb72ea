// Drive letters mapped to host folders, and Windows path syntax read the way
// Windows reads it.
#include "paths.h"

#include <ctype.h>
#include <dirent.h>
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "hostwin/control.h"

namespace hostwin {

const char kSystemFolder[] = "C:\\windows\\system32";
const char kWindowsFolder[] = "C:\\windows";
const char kTempFolder[] = "C:\\users\\user\\Temp\\";

namespace {

const char kDefaultApplicationFolder[] = "C:\\users\\user\\Downloads";
// The ANSI calls convert a path into a buffer of MAX_PATH + 1 characters;
// a longer one fails there. What reaches the file system must fit MAX_PATH
// with its terminator, and each name 255 characters.
const size_t kMaxArgumentChars = MAX_PATH;
const size_t kMaxPathChars = MAX_PATH - 1;
const size_t kMaxNameChars = 255;

std::map<char, std::string> drives;
std::string ownRoot;  // the temporary C: folder, made by process ownRootPid
pid_t ownRootPid = 0;
WindowsPath applicationFolder;
bool applicationFolderSet = false;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

void MakeFolders(const std::string& host) {
  for (size_t at = 1; at <= host.size(); ++at)
    if (at == host.size() || host[at] == '/') mkdir(host.substr(0, at).c_str(), 0777);
}

// The folders every Windows installation has.
void MakeStandardFolders(const std::string& root) {
  MakeFolders(root + "/windows/system32");
  MakeFolders(root + "/users/user/Temp");
  MakeFolders(root + "/users/user/Downloads");
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

// The host name in `folder` that Windows would take `utf8` for: the same
// spelling, else one equal to it in upper case; "" when there is none.
// *isDirectory tells what the name is.
std::string FindHostName(const std::string& folder, const std::string& utf8, bool* isDirectory) {
  struct stat st;
  if (stat((folder + "/" + utf8).c_str(), &st) == 0) {
    *isDirectory = S_ISDIR(st.st_mode);
    return utf8;
  }
  DIR* dir = opendir(folder.c_str());
  if (!dir) return "";
  const std::u16string wanted = FoldedName(utf8);
  std::string found;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != ".." && FoldedName(name) == wanted) {
      found = name;
      break;
    }
  }
  closedir(dir);
  *isDirectory = !found.empty() && stat((folder + "/" + found).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  return found;
}

}  // namespace

size_t NameStart(const std::string& ansi) {
  size_t start = 0;
  for (size_t i = 0; i < ansi.size(); ++i) {
    if (IsSeparator(ansi[i])) start = i + 1;
    if (IsDBCSLeadByte(BYTE(ansi[i])) && i + 1 < ansi.size()) ++i;
  }
  return start;
}

bool HasFolder(const std::string& ansi) { return NameStart(ansi) > 0 || (ansi.size() > 1 && ansi[1] == ':'); }

// Characters, a double-byte one counting once.
static size_t CharCount(const std::string& ansi) {
  size_t count = 0;
  for (size_t i = 0; i < ansi.size(); ++count) i += IsDBCSLeadByte(BYTE(ansi[i])) && i + 1 < ansi.size() ? 2 : 1;
  return count;
}

DWORD ParsePath(const char* path, WindowsPath* out, bool wildcards) {
  if (!path || !*path) return ERROR_PATH_NOT_FOUND;
  const std::string text = path;
  if (CharCount(text) > kMaxArgumentChars) return ERROR_FILENAME_EXCED_RANGE;

  WindowsPath result;
  size_t at = 0;
  if (isalpha(static_cast<unsigned char>(text[0])) && text.size() > 1 && text[1] == ':') {
    result.drive = char(toupper(static_cast<unsigned char>(text[0])));
    at = 2;
    if (at == text.size() || !IsSeparator(text[at])) {
      if (result.drive == ApplicationFolder().drive) result.parts = ApplicationFolder().parts;
    }
  } else if (IsSeparator(text[0]) && text.size() > 1 && IsSeparator(text[1])) {
    return ERROR_BAD_NETPATH;  // no network here: as a share that cannot be reached
  } else if (IsSeparator(text[0])) {
    result.drive = ApplicationFolder().drive;
  } else {
    result = ApplicationFolder();
  }

  std::vector<std::string> names;
  std::vector<bool> hasWildcard;
  std::string name;
  bool wild = false;
  for (; at <= text.size(); ++at) {
    const unsigned char c = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
    if (c == 0 || IsSeparator(char(c))) {
      names.push_back(name);
      hasWildcard.push_back(wild);
      name.clear();
      wild = false;
      continue;
    }
    if (IsDBCSLeadByte(c) && at + 1 < text.size()) {
      name.append(text, at, 2);
      ++at;
      continue;
    }
    if (c < 0x20 || c == '<' || c == '>' || c == '"' || c == '|' || c == ':') return ERROR_INVALID_NAME;
    if (c == '*' || c == '?') wild = true;
    name += char(c);
  }
  result.trailingSeparator = names.size() > 1 && names.back().empty();

  for (size_t i = 0; i < names.size(); ++i) {
    std::string part = names[i];
    const bool last = i + 1 == names.size();
    if (hasWildcard[i] && !(last && wildcards)) return ERROR_INVALID_NAME;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!result.parts.empty()) result.parts.pop_back();
      continue;
    }
    if (last) {
      while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
      if (part.empty()) continue;
    }
    if (CharCount(part) > kMaxNameChars) return ERROR_INVALID_NAME;
    result.parts.push_back(part);
  }
  if (CharCount(JoinPath(result)) > kMaxPathChars) return ERROR_PATH_NOT_FOUND;
  *out = result;
  return 0;
}

std::string JoinPath(const WindowsPath& path) {
  std::string joined = std::string(1, path.drive) + ":\\";
  for (size_t i = 0; i < path.parts.size(); ++i) joined += (i ? "\\" : "") + path.parts[i];
  return joined;
}

std::u16string PathKey(const WindowsPath& path) {
  std::string utf8;
  std::string joined = JoinPath(path);
  return FoldedName(AnsiToUtf8(joined, &utf8) ? utf8 : joined);
}

DWORD Locate(const char* path, Location* out, bool wildcards) {
  Location found;
  if (DWORD error = ParsePath(path, &found.path, wildcards)) return error;
  std::string host = DriveFolder(found.path.drive);
  if (host.empty()) return ERROR_PATH_NOT_FOUND;
  const std::vector<std::string>& parts = found.path.parts;
  if (parts.empty()) {
    found.host = host;
    found.exists = found.isDirectory = true;
    *out = found;
    return 0;
  }
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string utf8;
    if (!AnsiToUtf8(parts[i], &utf8)) return ERROR_INVALID_NAME;
    bool isDirectory = false;
    std::string name = FindHostName(host, utf8, &isDirectory);
    if (i + 1 == parts.size()) {
      found.folder = host;
      found.exists = !name.empty();
      found.host = host + "/" + (found.exists ? name : utf8);
      found.isDirectory = found.exists && isDirectory;
      break;
    }
    if (name.empty() || !isDirectory) return ERROR_PATH_NOT_FOUND;
    host += "/" + name;
  }
  if (found.path.trailingSeparator && found.exists && !found.isDirectory) return ERROR_INVALID_NAME;
  *out = found;
  return 0;
}

std::string DriveFolder(char letter) {
  letter = char(toupper(static_cast<unsigned char>(letter)));
  auto mapped = drives.find(letter);
  if (mapped != drives.end()) return mapped->second;
  if (letter != 'C') return "";
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/hostwin-XXXXXX";
  if (!mkdtemp(&pattern[0])) Unsupported("a C: drive without a writable temporary folder");
  ownRoot = pattern;
  ownRootPid = getpid();
  MakeStandardFolders(ownRoot);
  drives['C'] = ownRoot;
  return ownRoot;
}

const WindowsPath& ApplicationFolder() {
  if (!applicationFolderSet) {
    ParsePath(kDefaultApplicationFolder, &applicationFolder);
    applicationFolderSet = true;
  }
  return applicationFolder;
}

void RemoveOwnRoot() {
  if (!ownRoot.empty() && ownRootPid == getpid()) nftw(ownRoot.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  ownRoot.clear();
}

void ResetPaths() {
  RemoveOwnRoot();
  drives.clear();
  applicationFolderSet = false;
}

void MapDrive(char letter, const std::string& hostFolder) {
  letter = char(toupper(static_cast<unsigned char>(letter)));
  if (letter == 'C') RemoveOwnRoot();
  if (hostFolder.empty()) {
    drives.erase(letter);
    return;
  }
  if (letter == 'C') MakeStandardFolders(hostFolder);
  drives[letter] = hostFolder;
}

void SetApplicationFolder(const char* windowsPath) {
  WindowsPath folder;
  if (ParsePath(windowsPath, &folder) != 0) Unsupported("an application folder that is not a valid path");
  applicationFolder = folder;
  applicationFolderSet = true;
}

std::string HostPath(const char* windowsPath) {
  Location location;
  return Locate(windowsPath, &location) == 0 ? location.host : std::string();
}

namespace {
// A normal exit takes the temporary C: folder with it (ExitProcess does too).
struct RootCleanup {
  ~RootCleanup() { RemoveOwnRoot(); }
} rootCleanup;
}  // namespace

}  // namespace hostwin
