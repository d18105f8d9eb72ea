// The version guard over arbitrary installed and new images: the first
// input byte pair says where the installed image ends. Nothing outside
// either image is read, and any question fits its buffer.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "boxes.h"
#include "payload/guard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t split = (size_t(data[0]) | size_t(data[1]) << 8) % (size - 1);
  // Exact-size copies, so reading past either image is caught.
  std::vector<uint8_t> installed(data + 2, data + 2 + split);
  std::vector<uint8_t> image(data + 2 + split, data + size);

  VersionGuard guard;
  GuardScanInstalled(&guard, installed.data(), installed.size());
  if (!memchr(guard.installedTag, '\0', sizeof guard.installedTag)) abort();
  if (memcmp(guard.installedTag, "Kelmor v", 8) != 0) abort();
  BoxScript script;  // any question is closed unanswered, which declines
  GuardCompare(&guard, image.data(), DWORD(image.size()));
  for (const RecordedBox& box : script.Boxes())
    if (box.text.size() > 255) abort();
  return 0;
}
