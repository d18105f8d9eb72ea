#include "prefix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "config.h"

namespace fs = std::filesystem;

namespace {

const char* const kLinkedFolders[] = {"system32", "syswow64", "winsxs"};  // 1.3 GB of DLLs, never written

bool Ok(const ProcessResult& result, const std::string& what, std::string* error) {
  if (result.exitCode == 0) return true;
  *error = what + " failed (" + std::to_string(result.exitCode) + "): " + result.output;
  return false;
}

bool IsLinkedFolder(const fs::path& name) {
  for (const char* linked : kLinkedFolders)
    if (name == linked) return true;
  return false;
}

bool IsUnlinkedEntry(const fs::path& name) { return !IsLinkedFolder(name); }
bool IsWindowsFolder(const fs::path& name) { return name == "windows"; }
// The template's "wineserver" names its server's folder: a clone gets its own.
bool IsDriveCOrServer(const fs::path& name) { return name == "drive_c" || name == "wineserver"; }

// Copies (or with `link`, hard-links) the entries of `from` into the folder
// `into`, apart from those `skip` names.
bool CopyEntries(const fs::path& from, const fs::path& into, bool link, bool (*skip)(const fs::path&),
                 std::string* error) {
  Command copy({"cp", link ? "-al" : "-a"});
  for (const fs::directory_entry& entry : fs::directory_iterator(from))
    if (!skip(entry.path().filename())) copy.argv.push_back(entry.path().string());
  copy.argv.push_back(into.string() + "/");
  return copy.argv.size() == 3 || Ok(RunProcess(copy), "copying " + from.string(), error);
}

// The prefix's own folder for its wineserver's socket, named in the prefix
// by this build of Wine; empty when there is none.
fs::path ServerFolder(const std::string& root) {
  std::ifstream in(root + "/wineserver");
  std::string name;
  std::getline(in, name);
  if (name.compare(0, 5, "wine-") != 0 || name.find('/') != std::string::npos) return fs::path();
  return fs::temp_directory_path() / name;
}

}  // namespace

bool EnsureTemplatePrefix(std::string* error) {
  const fs::path templateDir = E2E_TEMPLATE_DIR;
  std::error_code ignored;
  fs::create_directories(E2E_WORK_DIR, ignored);
  // Two drivers started at once make it only once.
  int lock = open((std::string(E2E_WORK_DIR) + "/template.lock").c_str(), O_CREAT | O_RDWR, 0644);
  if (lock >= 0) flock(lock, LOCK_EX);
  bool ok = fs::exists(templateDir / "system.reg") && fs::exists(templateDir / "user.reg");
  if (!ok) ok = Ok(RunProcess({{KELMOR_SOURCE_DIR "/scripts/wine-prefix", templateDir.string()}}), "wine-prefix", error);
  if (lock >= 0) close(lock);
  return ok;
}

WinePrefix::~WinePrefix() { Shutdown(); }

bool WinePrefix::Create(const std::string& name, std::string* error) {
  root_ = std::string(E2E_WORK_DIR) + "/" + name;
  Delete();  // an earlier run's
  const fs::path source = E2E_TEMPLATE_DIR;
  const fs::path target = root_;
  std::error_code failed;
  fs::create_directories(target / "drive_c" / "windows", failed);
  if (failed) {
    *error = "cannot create " + root_ + ": " + failed.message();
    return false;
  }
  const fs::path windows = fs::path("drive_c") / "windows";
  return CopyEntries(source, target, false, IsDriveCOrServer, error) &&
         CopyEntries(source / "drive_c", target / "drive_c", false, IsWindowsFolder, error) &&
         CopyEntries(source / windows, target / windows, false, IsLinkedFolder, error) &&
         CopyEntries(source / windows, target / windows, true, IsUnlinkedEntry, error);
}

void WinePrefix::Shutdown() {
  if (root_.empty() || !fs::exists(root_ + "/system.reg")) return;
  RunProcess({{"wineserver", "-k"}, {"WINEPREFIX=" + root_}});
  RunProcess({{"wineserver", "-w"}, {"WINEPREFIX=" + root_}});
}

void WinePrefix::Remove() {
  Delete();
  root_.clear();
}

void WinePrefix::Delete() {
  if (root_.empty()) return;
  Shutdown();
  std::error_code ignored;
  fs::path server = ServerFolder(root_);
  if (!server.empty()) fs::remove_all(server, ignored);
  fs::remove_all(root_, ignored);
}

std::string WinePrefix::HostPath(const std::string& windowsPath) const {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') return std::string();
  std::string path = root_ + "/dosdevices/" + char(tolower(static_cast<unsigned char>(windowsPath[0]))) + ":";
  std::string rest = windowsPath.substr(2);
  for (char& c : rest)
    if (c == '\\') c = '/';
  return path + rest;
}

bool WinePrefix::MapDrive(char letter, const std::string& hostFolder) {
  std::error_code failed;
  fs::path link = root_ + "/dosdevices/" + char(tolower(static_cast<unsigned char>(letter))) + ":";
  fs::remove(link, failed);
  fs::create_directory_symlink(hostFolder, link, failed);
  return !failed;
}

Command WinePrefix::WineCommand(const std::vector<std::string>& args, const std::vector<std::string>& env) const {
  Command command;
  command.argv.push_back(KELMOR_SOURCE_DIR "/scripts/wine-run");
  command.argv.insert(command.argv.end(), args.begin(), args.end());
  command.env = env;
  command.env.push_back("WINEPREFIX=" + root_);
  command.cwd = root_ + "/drive_c";
  return command;
}

ProcessResult WinePrefix::Wine(const std::vector<std::string>& args, const std::vector<std::string>& env) const {
  return RunProcess(WineCommand(args, env));
}

bool WinePrefix::SetUserValue(const std::string& key, const std::string& name, const std::string& type,
                              const std::string& data, std::string* error) const {
  return Ok(Wine({"reg", "add", "HKCU\\" + key, "/v", name, "/t", type, "/d", data, "/f"}), "reg add " + key, error);
}
