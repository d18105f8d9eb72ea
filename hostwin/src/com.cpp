// COM's entry points: the apartment count and the one class the stand-in
// serves, the shell link.
#include "hostwin/shell_control.h"
#include "internal.h"
#include "shell_internal.h"
#include "shlobj.h"

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IPersist = {0x0000010C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const CLSID CLSID_ShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {
int apartmentEntries = 0;
HRESULT shellLinkFailure = S_OK;
}  // namespace

namespace hostwin {

void FailShellLinkCreation(HRESULT result) { shellLinkFailure = result; }
int ComInitializations() { return apartmentEntries; }

void ResetCom() {
  apartmentEntries = 0;
  shellLinkFailure = S_OK;
}

}  // namespace hostwin

HRESULT WINAPI CoInitialize(LPVOID reserved) {
  if (reserved) return E_INVALIDARG;
  // The first entry of the thread succeeds with S_OK, each later one with S_FALSE.
  return apartmentEntries++ == 0 ? S_OK : S_FALSE;
}

HRESULT WINAPI CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (apartmentEntries == 0) return CO_E_NOTINITIALIZED;
  if (!IsEqualGUID(classId, CLSID_ShellLink) || !(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (FAILED(shellLinkFailure)) return shellLinkFailure;
  IUnknown* link = hostwin::NewShellLink();
  HRESULT result = link->QueryInterface(iid, object);
  link->Release();
  return result;
}
