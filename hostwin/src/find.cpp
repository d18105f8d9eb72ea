// FindFirstFileA and friends: a snapshot of the folder's matching entries.
#include <dirent.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <vector>

#include "file_table.h"
#include "paths.h"

namespace {

using namespace hostwin;

struct Search {
  std::vector<WIN32_FIND_DATAA> entries;
  size_t next;
};
std::map<uintptr_t, Search> searches;

// DOS matching on upper-case names: * any run, ? any one character; "*.*"
// matches every name, with or without a dot.
bool Matches(const char16_t* pattern, const char16_t* name) {
  for (; *pattern; ++pattern, ++name) {
    if (*pattern == u'*') {
      for (const char16_t* rest = name;; ++rest) {
        if (Matches(pattern + 1, rest)) return true;
        if (!*rest) return false;
      }
    }
    if (!*name || (*pattern != u'?' && *pattern != *name)) return false;
  }
  return !*name;
}

bool Fill(const std::string& host, const std::string& ansiName, WIN32_FIND_DATAA* data) {
  struct stat st;
  if (stat(host.c_str(), &st) != 0 || ansiName.size() >= sizeof data->cFileName) return false;
  memset(data, 0, sizeof *data);
  const FileInfo info = InfoOf(st);
  data->dwFileAttributes = ReportedAttributes(info, S_ISDIR(st.st_mode));
  data->ftCreationTime = info.created;
  data->ftLastAccessTime = info.accessed;
  data->ftLastWriteTime = info.written;
  if (!S_ISDIR(st.st_mode)) {
    data->nFileSizeHigh = DWORD(uint64_t(st.st_size) >> 32);
    data->nFileSizeLow = DWORD(st.st_size);
  }
  memcpy(data->cFileName, ansiName.c_str(), ansiName.size() + 1);
  return true;
}

// The folder's entries matching `pattern`, "." and ".." first as in a
// folder that is not a root, then in upper-case order as NTFS keeps them.
std::vector<WIN32_FIND_DATAA> MatchingEntries(const Location& at, const std::string& pattern) {
  std::string utf8Pattern;
  AnsiToUtf8(pattern, &utf8Pattern);
  std::u16string wanted = FoldedName(utf8Pattern == "*.*" ? "*" : utf8Pattern);
  std::vector<std::pair<std::u16string, std::string>> names;  // folded, host
  if (DIR* dir = opendir(at.folder.c_str())) {
    while (dirent* entry = readdir(dir)) names.emplace_back(FoldedName(entry->d_name), entry->d_name);
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  const bool root = at.path.parts.size() == 1;
  std::vector<WIN32_FIND_DATAA> found, dots;
  for (const auto& name : names) {
    const bool isDots = name.second == "." || name.second == "..";
    std::string ansi;
    WIN32_FIND_DATAA data;
    if ((isDots && root) || !Utf8ToAnsi(name.second, &ansi) || !Matches(wanted.c_str(), name.first.c_str()) ||
        !Fill(at.folder + "/" + name.second, ansi, &data))
      continue;
    (isDots ? dots : found).push_back(data);
  }
  found.insert(found.begin(), dots.begin(), dots.end());
  return found;
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA found) {
  Location at;
  DWORD error;
  if (TakeFailure("FindFirstFileA", &error) || (error = Locate(pattern, &at, /*wildcards=*/true)) ||
      (error = at.path.trailingSeparator || at.path.parts.empty() ? ERROR_FILE_NOT_FOUND : 0)) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  Search search{MatchingEntries(at, at.path.parts.back()), 1};
  if (search.entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *found = search.entries[0];
  HANDLE handle = NewHandleValue();
  searches[reinterpret_cast<uintptr_t>(handle)] = search;
  return handle;
}

BOOL WINAPI FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA found) {
  auto search = searches.find(reinterpret_cast<uintptr_t>(handle));
  if (search == searches.end()) return Failed(ERROR_INVALID_HANDLE);
  if (search->second.next >= search->second.entries.size()) return Failed(ERROR_NO_MORE_FILES);
  *found = search->second.entries[search->second.next++];
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE handle) {
  if (searches.erase(reinterpret_cast<uintptr_t>(handle)) == 0) return Failed(ERROR_INVALID_HANDLE);
  return TRUE;
}

namespace hostwin {
void ResetSearches() { searches.clear(); }
size_t OpenSearchCount() { return searches.size(); }
}  // namespace hostwin
