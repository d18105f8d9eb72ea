#include "shell/shortcut.h"

#include <objbase.h>
#include <shlobj.h>

HRESULT CreateShortcut(const char* target, const char* arguments, const char* linkPath, const char* workingFolder) {
  // Entered on every call and never left: the program has one thread and
  // ends soon after, and a repeated call only adds to the count.
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  HRESULT result =
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link));
  if (FAILED(result)) return result;
  link->SetPath(target);
  link->SetArguments(arguments);
  link->SetWorkingDirectory(workingFolder);

  IPersistFile* file = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(result)) {
    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, linkPath, -1, widePath, MAX_PATH) == 0)
      result = HRESULT_FROM_WIN32(GetLastError());
    else
      result = file->Save(widePath, TRUE);
    file->Release();
  }
  link->Release();
  return result;
}
