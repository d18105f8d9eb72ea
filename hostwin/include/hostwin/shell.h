// The shell: the shell link object's interface, the special folders, and
// the version record of DllGetVersion. The functions are exports of the
// built-in "shell32.dll" module, which the program loads at run time.
#pragma once

#include "hostwin/com.h"

struct _ITEMIDLIST;
typedef struct _ITEMIDLIST ITEMIDLIST;
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
struct _WIN32_FIND_DATAA;

struct IShellLinkA : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetPath(LPSTR file, int capacity, struct _WIN32_FIND_DATAA* found, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDList(LPITEMIDLIST* list) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetIDList(LPCITEMIDLIST list) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDescription(LPSTR name, int capacity) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR folder, int capacity) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR folder) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetArguments(LPSTR arguments, int capacity) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR arguments) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetHotkey(WORD* hotkey) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetHotkey(WORD hotkey) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetShowCmd(int* show) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetShowCmd(int show) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR path, int capacity, int* index) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR path, int index) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR path, DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE Resolve(HWND owner, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPath(LPCSTR file) = 0;
};

extern const CLSID CLSID_ShellLink;
extern const IID IID_IShellLinkA;

#define CSIDL_PROGRAMS 0x0002
#define CSIDL_COMMON_PROGRAMS 0x0017

BOOL WINAPI SHGetSpecialFolderPathA(HWND owner, LPSTR path, int folder, BOOL create);

typedef struct _DllVersionInfo {
  DWORD cbSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformID;
} DLLVERSIONINFO;
#define DLLVER_PLATFORM_WINDOWS 0x00000001
#define DLLVER_PLATFORM_NT 0x00000002

typedef HRESULT(CALLBACK* DLLGETVERSIONPROC)(DLLVERSIONINFO* info);
