// Windows: the shell link object loads the file, as Explorer would.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "shortcuts.h"

ShortcutFields ReadShortcut(const std::string& linkPath) {
  ShortcutFields fields = {false, "", "", ""};
  WCHAR widePath[MAX_PATH];
  if (!MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH)) return fields;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return fields;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(widePath, STGM_READ))) {
      char text[1024];
      fields.read = true;
      if (link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH) == S_OK) fields.target = text;
      if (SUCCEEDED(link->GetArguments(text, sizeof text))) fields.arguments = text;
      if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) fields.workingFolder = text;
    }
    file->Release();
  }
  link->Release();
  return fields;
}
