// Code page 932, the Japanese ANSI code page, through glibc's converter.
#include <iconv.h>
#include <string.h>

#include "internal.h"

namespace {

bool IsLeadByte932(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrailByte932(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Opening a converter is slow; the few pairs used are opened once and kept.
iconv_t Converter(const char* from, const char* to) {
  struct Pair {
    const char* from;
    const char* to;
    iconv_t cd;
  };
  static Pair pairs[8];
  for (Pair& pair : pairs) {
    if (!pair.from) {
      pair = Pair{from, to, iconv_open(to, from)};
      return pair.cd;
    }
    if (strcmp(pair.from, from) == 0 && strcmp(pair.to, to) == 0) return pair.cd;
  }
  return (iconv_t)-1;
}

// Converts with iconv; false when a character has no mapping.
bool Convert(const char* from, const char* to, const void* in, size_t inBytes, char* out, size_t* outBytes) {
  iconv_t cd = Converter(from, to);
  if (cd == (iconv_t)-1) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  char* src = const_cast<char*>(static_cast<const char*>(in));
  char* dst = out;
  size_t left = *outBytes;
  bool ok = iconv(cd, &src, &inBytes, &dst, &left) != (size_t)-1 && inBytes == 0;
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
  // A lead byte pairs only with a byte that can trail it; a terminator
  // after a lead byte stays a terminator.
  bool paired = IsLeadByte932(c) && available >= 2 && IsTrailByte932(text[1]);
  size_t length = paired ? 2 : 1;
  char out[4];
  size_t outBytes = sizeof out;
  if (Convert("CP932", "UTF-16LE", text, length, out, &outBytes) && outBytes == 2)
    *wide = WCHAR(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
  else
    *wide = 0x30FB;  // the code page's default character for bytes with no mapping
  return length;
}

// A whole string through iconv; false when any of it has no mapping.
bool ConvertString(const char* from, const char* to, const std::string& in, std::string* out) {
  std::string buffer(in.size() * 4 + 4, '\0');
  size_t outBytes = buffer.size();
  if (!Convert(from, to, in.data(), in.size(), &buffer[0], &outBytes)) return false;
  out->assign(buffer.data(), outBytes);
  return true;
}

// The upper case Windows compares names in, for the letters code page 932
// can spell: ASCII, Latin-1, Greek, Cyrillic and full-width Latin.
char16_t Upcase(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return char16_t(c - 0x20);
  if (c == 0xFF) return 0x178;
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if ((c >= 0x3B1 && c <= 0x3C9) || (c >= 0x430 && c <= 0x44F) || (c >= 0xFF41 && c <= 0xFF5A)) return char16_t(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return char16_t(c - 0x50);
  return c;
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

// Windows turns ANSI names into Unicode as MultiByteToWideChar does, so bytes
// without a mapping (a lead byte without its trail) name the same file here.
bool AnsiToUtf8(const std::string& ansi, std::string* utf8) {
  std::string wide;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(ansi.data());
  for (size_t at = 0; at < ansi.size();) {
    WCHAR c;
    at += DecodeChar932(p + at, ansi.size() - at, &c);
    wide += char(c & 0xFF);
    wide += char(c >> 8);
  }
  return ConvertString("UTF-16LE", "UTF-8", wide, utf8);
}
bool Utf8ToAnsi(const std::string& utf8, std::string* ansi) { return ConvertString("UTF-8", "CP932", utf8, ansi); }

std::u16string FoldedName(const std::string& utf8) {
  // Most names are plain ASCII: no converter needed.
  std::u16string ascii(utf8.size(), u'\0');
  size_t i = 0;
  for (; i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80; ++i) ascii[i] = Upcase(char16_t(utf8[i]));
  if (i == utf8.size()) return ascii;

  std::string wide;
  if (!ConvertString("UTF-8", "UTF-16LE", utf8, &wide)) return std::u16string(utf8.begin(), utf8.end());
  std::u16string folded(wide.size() / 2, u'\0');
  for (size_t i = 0; i < folded.size(); ++i)
    folded[i] = Upcase(char16_t(static_cast<unsigned char>(wide[2 * i]) | static_cast<unsigned char>(wide[2 * i + 1]) << 8));
  return folded;
}

}  // namespace hostwin
