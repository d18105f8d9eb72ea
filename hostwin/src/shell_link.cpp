// The shell link object: IShellLinkA and IPersistFile on one object, saved
// as a real .lnk file through the stand-in's files.
#include <string.h>

#include <string>

#include "hostwin/shell_control.h"
#include "internal.h"
#include "shell_internal.h"
#include "link_file.h"
#include "shlobj.h"

namespace {

int liveObjects = 0;

HRESULT CopyOut(const std::string& text, LPSTR out, int capacity) {
  if (!out || capacity <= 0) return E_INVALIDARG;
  size_t length = text.size() < size_t(capacity) ? text.size() : size_t(capacity) - 1;
  memcpy(out, text.data(), length);
  out[length] = '\0';
  return S_OK;
}

class ShellLink final : public IShellLinkA, public IPersistFile {
 public:
  ShellLink() { ++liveObjects; }

  // IUnknown, shared by both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IShellLinkA))
      *object = static_cast<IShellLinkA*>(this);
    else if (IsEqualIID(iid, IID_IPersistFile) || IsEqualIID(iid, IID_IPersist))
      *object = static_cast<IPersistFile*>(this);
    else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    ++references_;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) {
      --liveObjects;
      delete this;
    }
    return left;
  }

  // IShellLinkA: what the program sets, and reading it back.
  HRESULT STDMETHODCALLTYPE GetPath(LPSTR file, int capacity, struct _WIN32_FIND_DATAA*, DWORD) override {
    return CopyOut(link_.target, file, capacity);
  }
  HRESULT STDMETHODCALLTYPE GetIDList(LPITEMIDLIST*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetIDList(LPCITEMIDLIST) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDescription(LPSTR name, int capacity) override { return CopyOut("", name, capacity); }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR folder, int capacity) override {
    return CopyOut(link_.workingFolder, folder, capacity);
  }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR folder) override { return Set(&link_.workingFolder, folder); }
  HRESULT STDMETHODCALLTYPE GetArguments(LPSTR arguments, int capacity) override {
    return CopyOut(link_.arguments, arguments, capacity);
  }
  HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR arguments) override { return Set(&link_.arguments, arguments); }
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD* hotkey) override {
    if (!hotkey) return E_POINTER;
    *hotkey = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetShowCmd(int* show) override {
    if (!show) return E_POINTER;
    *show = link_.showCommand;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetShowCmd(int show) override {
    link_.showCommand = show;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR path, int capacity, int* index) override {
    if (index) *index = 0;
    return CopyOut("", path, capacity);
  }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetPath(LPCSTR file) override {
    if (!file) return E_INVALIDARG;
    link_.target = file;
    // Like the shell, the target's attributes are taken when it exists;
    // a missing target still makes a link.
    DWORD attributes = GetFileAttributesA(file);
    link_.targetAttributes = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
    return S_OK;
  }

  // IPersistFile: only saving is needed.
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override {
    if (!classId) return E_POINTER;
    *classId = CLSID_ShellLink;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR fileName, BOOL remember) override {
    std::string path;
    if (fileName) {
      size_t length = 0;
      while (fileName[length]) ++length;
      path = hostwin::WideToAnsi(fileName, length);
    } else {
      path = currentFile_;
    }
    if (path.empty()) return E_INVALIDARG;
    HRESULT result = WriteLinkFile(path);
    if (SUCCEEDED(result) && fileName && remember) currentFile_ = path;
    return result;
  }
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

 private:
  ~ShellLink() = default;

  static HRESULT Set(std::string* field, LPCSTR text) {
    if (!text) return E_INVALIDARG;
    *field = text;
    return S_OK;
  }

  HRESULT WriteLinkFile(const std::string& path) {
    std::vector<unsigned char> bytes = hostwin::EncodeLinkFile(link_);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok) return HRESULT_FROM_WIN32(error);
    return written == bytes.size() ? S_OK : HRESULT_FROM_WIN32(ERROR_DISK_FULL);
  }

  ULONG references_ = 1;
  hostwin::LinkFields link_ = {"", "", "", 0, SW_SHOWNORMAL};
  std::string currentFile_;
};

}  // namespace

namespace hostwin {

int LiveComObjects() { return liveObjects; }

IUnknown* NewShellLink() { return static_cast<IShellLinkA*>(new ShellLink); }

}  // namespace hostwin
