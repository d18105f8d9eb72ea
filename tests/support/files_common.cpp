#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "files.h"

namespace {

// The folder names of `relative`, split at backslashes that are not the
// trail byte of a double-byte character.
std::vector<std::string> SplitFolders(const std::string& relative) {
  std::vector<std::string> names(1);
  for (size_t i = 0; i < relative.size(); ++i) {
    if (relative[i] == '\\') {
      names.emplace_back();
      continue;
    }
    names.back() += relative[i];
    if (IsDBCSLeadByte(BYTE(relative[i])) && i + 1 < relative.size()) names.back() += relative[++i];
  }
  return names;
}

void ForEachEntry(const std::string& folder, const std::function<void(const std::string& path, const WIN32_FIND_DATAA&)>& visit) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..") visit(folder + "\\" + name, data);
  } while (FindNextFileA(search, &data));
  FindClose(search);
}

}  // namespace

TempFolder::TempFolder() {
  char temp[MAX_PATH];
  char name[MAX_PATH];
  DWORD length = GetTempPathA(sizeof temp, temp);
  if (length == 0 || length >= sizeof temp || !GetTempFileNameA(temp, "kt", 0, name) || !DeleteFileA(name) ||
      !CreateDirectoryA(name, nullptr)) {
    ADD_FAILURE() << "no temporary folder: error " << GetLastError();
    return;
  }
  path_ = name;
}

TempFolder::~TempFolder() {
  if (!path_.empty()) RemoveTree(path_);
}

std::string TempFolder::operator/(const std::string& relative) const { return path_ + "\\" + relative; }

std::string TempFolder::MakeFolder(const std::string& relative) const {
  std::string path = path_;
  for (const std::string& name : SplitFolders(relative)) {
    path += "\\" + name;
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      ADD_FAILURE() << "cannot make folder " << path << ": error " << GetLastError();
  }
  return path;
}

uint64_t Ticks(const FILETIME& time) { return uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime; }
FILETIME FileTimeOf(uint64_t ticks) { return FILETIME{DWORD(ticks), DWORD(ticks >> 32)}; }

bool WriteTestFile(const std::string& path, const std::string& content, DWORD attributes, const FileTimes* times) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr) && written == content.size();
  if (ok && times) {
    FILETIME created = FileTimeOf(times->created), accessed = FileTimeOf(times->accessed),
             lastWrite = FileTimeOf(times->written);
    ok = SetFileTime(file, &created, &accessed, &lastWrite) != FALSE;
  }
  ok = CloseHandle(file) && ok;
  return ok && (!attributes || SetFileAttributesA(path.c_str(), attributes));
}

std::optional<std::string> ReadTestFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buffer[65536];
  DWORD read = 0;
  bool ok;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) content.append(buffer, read);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return content;
}

std::optional<FileTimes> TestFileTimes(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(path.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  return FileTimes{Ticks(data.ftCreationTime), Ticks(data.ftLastAccessTime), Ticks(data.ftLastWriteTime)};
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> found;
  ForEachEntry(folder, [&](const std::string&, const WIN32_FIND_DATAA& data) { found.push_back(data.cFileName); });
  std::sort(found.begin(), found.end());
  return found;
}

void RemoveTree(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(path.c_str())) return;
  ForEachEntry(path, [](const std::string& entry, const WIN32_FIND_DATAA&) { RemoveTree(entry); });
  RemoveDirectoryA(path.c_str());
}

HeldFile::HeldFile(const std::string& path, DWORD access, DWORD share)
    : handle_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
      error_(handle_ == INVALID_HANDLE_VALUE ? GetLastError() : 0) {}

HeldFile::~HeldFile() {
  if (IsOpen()) CloseHandle(handle_);
}
