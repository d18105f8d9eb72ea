#include "payload/version_tag.h"

#include <string.h>

const unsigned char kVersionAnchor[VERSION_ANCHOR_SIZE] = {'$', 'K', 'L', 'M', 'R', '$', 'V', 'E', 'R', 'B', 'L', 'K'};
const char kVersionPrefix[] = "Kelmor v";

namespace {
const size_t kPrefixSize = sizeof kVersionPrefix - 1;

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
}  // namespace

long FindVersionAnchor(const unsigned char* data, size_t size) {
  if (size < VERSION_ANCHOR_SIZE) return -1;
  const unsigned char* last = data + size - VERSION_ANCHOR_SIZE;
  for (const unsigned char* p = data; p <= last; ++p) {
    p = static_cast<const unsigned char*>(memchr(p, kVersionAnchor[0], size_t(last - p) + 1));
    if (!p) return -1;
    if (memcmp(p, kVersionAnchor, VERSION_ANCHOR_SIZE) == 0) return long(p - data);
  }
  return -1;
}

long FindVersionTag(const unsigned char* data, size_t size, size_t anchor, size_t* length) {
  for (size_t offset = VERSION_WINDOW_FIRST; offset <= VERSION_WINDOW_LAST; ++offset) {
    if (anchor > size || offset > size - anchor || kPrefixSize > size - anchor - offset) return -1;
    size_t start = anchor + offset;
    if (memcmp(data + start, kVersionPrefix, kPrefixSize) != 0) continue;
    const void* end = memchr(data + start, '\0', size - start);
    if (!end) return -1;  // every later start runs off the data too
    *length = size_t(static_cast<const unsigned char*>(end) - (data + start));
    return long(start);
  }
  return -1;
}

int CompareVersionTags(const char* a, const char* b) {
  const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
  for (;; ++x, ++y) {
    unsigned char cx = Fold(*x), cy = Fold(*y);
    if (cx != cy) return cx < cy ? -1 : 1;
    if (cx == 0) return 0;
  }
}
