// readonlykey KEY: lets everyone only read HKEY_CURRENT_USER\KEY from now on
// (its DACL grants KEY_READ alone), as a locked-down machine's policy would.
// Exits 0 when the key has its new DACL.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, argv[1], 0, WRITE_DAC, &key) != ERROR_SUCCESS) return 1;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  BYTE aclBuffer[256];
  PACL acl = reinterpret_cast<PACL>(aclBuffer);
  SECURITY_DESCRIPTOR descriptor;
  bool ok = AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone) &&
            InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
            AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone) &&
            InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
  if (everyone) FreeSid(everyone);
  RegCloseKey(key);
  return ok ? 0 : 1;
}
