// Arbitrary "DestDir" values: any length, any bytes, double-byte characters,
// no terminator. The lookup and the confirmation never overrun, and every
// target path is either whole or refused.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "boxes.h"
#include "hostwin/control.h"
#include "installer/sequence.h"
#include "payload/target_path.h"

namespace {

// A display text never ends in the first half of a double-byte character.
bool EndsOnACharacter(const std::string& text) {
  size_t at = 0;
  while (at < text.size()) at += IsDBCSLeadByte(BYTE(text[at])) ? 2 : 1;
  return at == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string value(reinterpret_cast<const char*>(data), size);
  hostwin::SetRegistryValue(HKEY_CURRENT_USER, "Software\\Halvecrest\\Kelmor", "DestDir", REG_SZ, value);
  {
    BoxScript script;  // the confirmation is declined
    RunInstall();
    if (script.Boxes().size() != 1) abort();
    const std::string text = script.Boxes()[0].text;
    if (text.size() > 359 || !EndsOnACharacter(text)) abort();
  }

  // The folder as the sequence takes it: the bytes up to a terminator.
  std::string folder = value.substr(0, value.find('\0'));
  for (const PatchFileEntry& row : PatchManifest) {
    char rowFolder[MAX_PATH];
    char target[MAX_PATH];
    memset(target, 0x55, sizeof target);
    if (!ComposeTargetPath(row, folder.c_str(), rowFolder, target)) continue;
    size_t length = strlen(target);
    if (length > MAX_PATH - 1 || strncmp(target, folder.c_str(), folder.size()) != 0) abort();
    if (strncmp(target, rowFolder, strlen(rowFolder)) != 0 || target[strlen(rowFolder)] != '\\') abort();
  }
  return 0;
}
