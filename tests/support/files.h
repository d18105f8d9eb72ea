// Files and folders for tests, on Windows paths: under Wine through the real
// calls, natively through the stand-in.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with all it
// holds (read-only files too) when it goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Path() + "\" + relative.
  std::string operator/(const std::string& relative) const;
  // Makes the folders of `relative` (backslashes between them) below this
  // one; gives the full path of the last.
  std::string MakeFolder(const std::string& relative) const;

 private:
  std::string path_;
};

// A FILETIME as one count of 100 ns intervals since 1601, and back.
uint64_t Ticks(const FILETIME& time);
FILETIME FileTimeOf(uint64_t ticks);

struct FileTimes {
  uint64_t created;
  uint64_t accessed;
  uint64_t written;
};

// Writes `content` as the whole file (replacing one, read-only or not),
// stamps it with `times` when given, then gives it `attributes` unless 0.
bool WriteTestFile(const std::string& path, const std::string& content, DWORD attributes = 0,
                   const FileTimes* times = nullptr);
// The file's content, or nothing when it cannot be read.
std::optional<std::string> ReadTestFile(const std::string& path);
// Its times as the folder lists them (readable while the file is held open).
std::optional<FileTimes> TestFileTimes(const std::string& path);
// The names in `folder`, without "." and "..", sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
// Removes a file, or a folder with everything in it.
void RemoveTree(const std::string& path);

// Holds a file open, as another program could, while it lives.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path, DWORD access = GENERIC_READ, DWORD share = 0);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  DWORD OpenError() const { return error_; }
  HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_;
  DWORD error_;
};

// What a write that does not fit does: Fails as on Windows (FALSE, 112,
// nothing written), ShortCount as under Wine (what fits, reported as done).
enum class FullDisk { Fails, ShortCount };
// Natively: the drive of `path` takes only `bytes` more. False where the
// platform cannot do that in-process (under Wine), so the test skips.
bool LimitFreeSpace(const std::string& path, uint64_t bytes, FullDisk behaviour = FullDisk::Fails);
