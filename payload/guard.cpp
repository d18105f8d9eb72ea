#include "payload/guard.h"

#include <string.h>

#include "messages/messages.h"
#include "messages/text.h"
#include "payload/version_tag.h"

namespace {

// How many of the first `limit` bytes of text make whole characters, so a
// tag cut to its buffer is never shown ending in half a character.
size_t WholeCharacters(const unsigned char* text, size_t limit) {
  size_t at = 0;
  while (at < limit) {
    size_t step = IsDBCSLeadByte(text[at]) ? 2 : 1;
    if (at + step > limit) break;
    at += step;
  }
  return at;
}

// The file's length, or false when it cannot be told.
bool FileLength(HANDLE file, DWORD* length) {
  SetLastError(NO_ERROR);
  DWORD end = SetFilePointer(file, 0, nullptr, FILE_END);
  if (end == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0) return false;
  *length = end;
  return true;
}

}  // namespace

void GuardScanInstalled(VersionGuard* guard, const unsigned char* data, size_t size) {
  guard->active = false;
  memset(guard->installedTag, 0, sizeof guard->installedTag);
  memcpy(guard->installedTag, kVersionPrefix, strlen(kVersionPrefix));
  long anchor = FindVersionAnchor(data, size);
  if (anchor < 0) return;
  guard->active = true;
  size_t length = 0;
  long tag = FindVersionTag(data, size, size_t(anchor), &length);
  if (tag < 0) return;
  if (length > GUARD_TAG_BUFFER - 1) length = WholeCharacters(data + tag, GUARD_TAG_BUFFER - 1);  // keeps its start
  memcpy(guard->installedTag, data + tag, length);
  guard->installedTag[length] = '\0';
}

void GuardReadInstalled(VersionGuard* guard, const char* targetPath) {
  GuardScanInstalled(guard, nullptr, 0);

  HANDLE file = CreateFileA(targetPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // nothing installed: written without a question
  DWORD length = 0;
  if (!FileLength(file, &length)) {
    CloseHandle(file);
    return;
  }
  unsigned char* data = static_cast<unsigned char*>(CheckedAlloc(length, "SourceFile"));
  DWORD got = 0;
  if (!ReadFile(file, data, length, &got, nullptr)) got = 0;
  CloseHandle(file);
  GuardScanInstalled(guard, data, got);  // a short read is searched as far as it got
  CheckedFree(data);
}

GuardDecision GuardCompare(const VersionGuard* guard, const unsigned char* image, DWORD size) {
  if (!guard->active) return GUARD_PROCEED;
  long anchor = FindVersionAnchor(image, size);
  if (anchor < 0) return GUARD_PROCEED;
  size_t length = 0;
  long tag = FindVersionTag(image, size, size_t(anchor), &length);
  if (tag < 0) return GUARD_PROCEED;

  const char* newTag = reinterpret_cast<const char*>(image + tag);  // terminated inside the image
  int order = CompareVersionTags(guard->installedTag, newTag);
  if (order < 0) return GUARD_PROCEED;

  char format[TEXT_BUFFER];
  char text[TEXT_BUFFER];
  LoadStringA(nullptr, order > 0 ? STR_VERSION_OLDER : STR_VERSION_SAME, format, sizeof format);
  ComposeText(text, sizeof text, format, newTag, guard->installedTag);
  return IsAccepted(ShowTextBox(text, STR_CAPTION_PATCH, BOX_QUESTION)) ? GUARD_PROCEED : GUARD_DECLINE;
}
