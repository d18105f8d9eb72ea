// Code page 932, the Japanese ANSI code page, through glibc's converter.
#include <iconv.h>
#include <string.h>

#include "internal.h"

namespace {

bool IsLeadByte932(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Converts one character with iconv; false when the code page has no mapping.
bool Convert(const char* from, const char* to, const void* in, size_t inBytes, char* out, size_t* outBytes) {
  iconv_t cd = iconv_open(to, from);
  if (cd == (iconv_t)-1) return false;
  char* src = const_cast<char*>(static_cast<const char*>(in));
  char* dst = out;
  size_t left = *outBytes;
  bool ok = iconv(cd, &src, &inBytes, &dst, &left) != (size_t)-1 && inBytes == 0;
  iconv_close(cd);
  *outBytes -= left;
  return ok;
}

// Decodes one character of `text` (1 or 2 bytes) to UTF-16; returns its length.
size_t DecodeChar932(const unsigned char* text, size_t available, WCHAR* wide) {
  unsigned char c = text[0];
  if (c < 0x80) {
    *wide = c;
    return 1;
  }
  size_t length = IsLeadByte932(c) && available >= 2 ? 2 : 1;
  char out[4];
  size_t outBytes = sizeof out;
  if (Convert("CP932", "UTF-16LE", text, length, out, &outBytes) && outBytes == 2)
    *wide = WCHAR(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
  else
    *wide = 0x30FB;  // the code page's default character for bytes with no mapping
  return length;
}

}  // namespace

UINT WINAPI GetACP(void) { return 932; }

BOOL WINAPI IsDBCSLeadByte(BYTE c) { return IsLeadByte932(c); }

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, LPWSTR wide, int wideCapacity) {
  if ((codePage != CP_ACP && codePage != 932) || !text || bytes == 0 || wideCapacity < 0 ||
      (wideCapacity > 0 && !wide)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t length = bytes < 0 ? strlen(text) + 1 : size_t(bytes);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  int produced = 0;
  for (size_t at = 0; at < length;) {
    WCHAR c;
    at += DecodeChar932(p + at, length - at, &c);
    if (wideCapacity > 0) {
      if (produced >= wideCapacity) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
      }
      wide[produced] = c;
    }
    ++produced;
  }
  return produced;
}

namespace hostwin {

std::string WideToAnsi(const WCHAR* text, size_t length) {
  std::string out;
  for (size_t i = 0; i < length; ++i) {
    WCHAR c = text[i];
    if (c < 0x80) {
      out += char(c);
      continue;
    }
    unsigned char in[2] = {static_cast<unsigned char>(c & 0xFF), static_cast<unsigned char>(c >> 8)};
    char bytes[4];
    size_t outBytes = sizeof bytes;
    if (Convert("UTF-16LE", "CP932", in, 2, bytes, &outBytes))
      out.append(bytes, outBytes);
    else
      out += '?';  // the code page's default character
  }
  return out;
}

}  // namespace hostwin
