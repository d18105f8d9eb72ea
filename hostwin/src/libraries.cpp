// Libraries: which exist is up to the test (built-in modules with exports,
// or plain present files); loading searches for them as Windows does.
#include <map>
#include <vector>

#include "hostwin/control.h"
#include "paths.h"

namespace {

using namespace hostwin;

struct Module {
  WindowsPath path;
  std::map<std::string, FARPROC> exports;
  int references = 0;
  bool pinned = false;  // kernel32.dll: loaded for the life of the process
  bool known = false;   // built into the system folder: a bare name always means it
};

// Every library that exists, by the upper-case form of its path.
std::map<std::u16string, Module> modules;
std::vector<LibraryLoad> loads;
bool defaultDirectoriesExported = false;
DWORD defaultDirectories = 0;

const char kKernel32[] = "C:\\windows\\system32\\kernel32.dll";
const char kDirectX8[] = "C:\\windows\\system32\\d3d8.dll";
const DWORD kSearchFlags = LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_USER_DIRS |
                           LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS;

WindowsPath SystemPath(const char* folder) {
  WindowsPath path;
  ParsePath(folder, &path);
  return path;
}

// The path a library name stands for when it has no folder of its own: the
// system folder's.
WindowsPath LibraryPath(const char* pathOrName) {
  const std::string name = pathOrName;
  const bool bare = !HasFolder(name);
  WindowsPath path;
  if (ParsePath(bare ? (std::string(kSystemFolder) + "\\" + name).c_str() : pathOrName, &path) != 0)
    Unsupported("a library path that is not a valid path");
  return path;
}

HMODULE NoModule(DWORD error) {
  SetLastError(error);
  return nullptr;
}

// Windows adds ".dll" to a name without an extension; a trailing dot says
// the name has none.
std::string WithExtension(const char* name) {
  std::string full = name;
  if (full.find('.', NameStart(full)) == std::string::npos) full += ".dll";
  return full;
}

Module* FindModule(HMODULE handle) {
  for (auto& entry : modules)
    if (reinterpret_cast<HMODULE>(&entry.second) == handle && entry.second.references > 0) return &entry.second;
  return nullptr;
}

std::u16string BaseKey(const WindowsPath& path) {
  WindowsPath base;
  base.parts.push_back(path.parts.empty() ? "" : path.parts.back());
  return PathKey(base);
}

// The loaded module, or the built-in one (as Windows' known libraries),
// that a bare name means wherever it is looked for.
Module* ModuleByBaseName(const std::string& name, bool loadedOnly) {
  const std::u16string wanted = BaseKey(LibraryPath(name.c_str()));
  for (auto& entry : modules) {
    Module& module = entry.second;
    if (BaseKey(module.path) == wanted && (module.references > 0 || (!loadedOnly && module.known))) return &module;
  }
  return nullptr;
}

// Where LoadLibraryA looks for a bare name, in order.
std::vector<WindowsPath> SearchFolders() {
  const WindowsPath application = ApplicationFolder(), system = SystemPath(kSystemFolder);
  if (!defaultDirectories) return {application, system, SystemPath(kWindowsFolder)};
  std::vector<WindowsPath> folders;
  if (defaultDirectories & (LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS))
    folders.push_back(application);
  if (defaultDirectories & (LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) folders.push_back(system);
  return folders;
}

Module* Resolve(const char* requested) {
  const std::string name = WithExtension(requested);
  if (HasFolder(name)) {
    WindowsPath path;
    if (ParsePath(name.c_str(), &path) != 0) return nullptr;
    auto found = modules.find(PathKey(path));
    return found == modules.end() ? nullptr : &found->second;
  }
  if (Module* known = ModuleByBaseName(name, /*loadedOnly=*/false)) return known;
  for (WindowsPath candidate : SearchFolders()) {
    candidate.parts.push_back(name);
    auto found = modules.find(PathKey(candidate));
    if (found != modules.end()) return &found->second;
  }
  return nullptr;
}

BOOL WINAPI StandInSetDefaultDllDirectories(DWORD flags) {
  if (!flags || (flags & ~kSearchFlags)) return Failed(ERROR_INVALID_PARAMETER);
  defaultDirectories = flags;
  return TRUE;
}

Module& AddModule(const WindowsPath& path) {
  Module& module = modules[PathKey(path)];
  module.path = path;
  return module;
}

}  // namespace

HMODULE WINAPI LoadLibraryA(LPCSTR name) {
  if (!name || !*name) return NoModule(ERROR_INVALID_PARAMETER);
  DWORD error = 0;
  Module* module = TakeFailure("LoadLibraryA", &error) ? nullptr : Resolve(name);
  loads.push_back(LibraryLoad{name, module ? JoinPath(module->path) : std::string()});
  if (!module) return NoModule(error ? error : ERROR_MOD_NOT_FOUND);
  ++module->references;
  return reinterpret_cast<HMODULE>(module);
}

BOOL WINAPI FreeLibrary(HMODULE handle) {
  Module* module = FindModule(handle);
  if (!module) return Failed(ERROR_MOD_NOT_FOUND);
  if (!module->pinned) --module->references;
  return TRUE;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
  if (!name) Unsupported("GetModuleHandleA(NULL): the program's resources use a null module");
  Module* module = ModuleByBaseName(WithExtension(name), /*loadedOnly=*/true);
  if (!module) return NoModule(ERROR_MOD_NOT_FOUND);
  return reinterpret_cast<HMODULE>(module);
}

FARPROC WINAPI GetProcAddress(HMODULE handle, LPCSTR name) {
  Module* module = FindModule(handle);
  const bool named = module && !IS_INTRESOURCE(name);
  if (named && module->pinned && defaultDirectoriesExported && std::string(name) == "SetDefaultDllDirectories")
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(StandInSetDefaultDllDirectories));
  auto found = named ? module->exports.find(name) : std::map<std::string, FARPROC>::iterator();
  if (!named || found == module->exports.end()) {
    SetLastError(module ? ERROR_PROC_NOT_FOUND : ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return found->second;
}

namespace hostwin {

void RegisterBuiltinModule(const char* pathOrName, const ModuleExport* exports, size_t count) {
  Module& module = AddModule(LibraryPath(pathOrName));
  module.known = !HasFolder(pathOrName);
  module.exports.clear();
  for (size_t i = 0; i < count; ++i) module.exports[exports[i].name] = exports[i].proc;
}

void SetLibraryPresent(const char* path, bool present) {
  const WindowsPath where = LibraryPath(path);
  if (present) {
    AddModule(where);
    return;
  }
  auto found = modules.find(PathKey(where));
  if (found == modules.end()) return;
  if (found->second.references > 0) Unsupported("removing a library that is loaded");
  modules.erase(found);
}

const std::vector<LibraryLoad>& LibraryLoads() { return loads; }

int LoadedLibraryCount() {
  int count = 0;
  for (const auto& entry : modules)
    if (!entry.second.pinned) count += entry.second.references;
  return count;
}

void ExportSetDefaultDllDirectories(bool exported) { defaultDirectoriesExported = exported; }
DWORD DefaultDllDirectories() { return defaultDirectories; }

void ResetLibraries() {
  modules.clear();
  loads.clear();
  defaultDirectoriesExported = false;
  defaultDirectories = 0;
  Module& kernel = AddModule(LibraryPath(kKernel32));
  kernel.pinned = kernel.known = true;
  kernel.references = 1;
  AddModule(LibraryPath(kDirectX8));  // a machine with DirectX 8 or later
}

}  // namespace hostwin
