#include "tools/samplegen/text_files.h"

#include <iconv.h>
#include <stdlib.h>

#include "tools/patchpack/file_io.h"

std::string ToCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == (iconv_t)-1) abort();  // glibc always has it; nothing sensible to fall back to
  std::string in(utf8);
  std::string out(in.size() * 2 + 4, '\0');
  char* inPtr = &in[0];
  size_t inLeft = in.size();
  char* outPtr = &out[0];
  size_t outLeft = out.size();
  const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == (size_t)-1) return std::string();
  out.resize(out.size() - outLeft);
  return out;
}

bool LoadText(const std::string& textDir, const std::string& name, bool cp932,
              std::vector<unsigned char>* out, std::string* error) {
  std::vector<unsigned char> raw;
  const std::string path = textDir + "/" + name;
  if (!ReadWholeFile(path.c_str(), &raw, nullptr, error)) {
    *error = path + ": " + *error;
    return false;
  }
  std::string text(raw.begin(), raw.end());
  if (cp932) {
    text = ToCp932(text);
    if (text.empty() && !raw.empty()) {
      *error = path + ": not convertible to code page 932";
      return false;
    }
  }
  out->clear();
  for (char c : text) {
    if (c == '\n') out->push_back('\r');
    out->push_back((unsigned char)c);
  }
  return true;
}
