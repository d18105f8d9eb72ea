// The shortcut writer's inputs: four arbitrary ANSI strings (split at the
// input's zero bytes). It never overruns and always answers with an HRESULT.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "shell/shortcut.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts(4);
  size_t part = 0;
  for (size_t i = 0; i < size && part < parts.size(); ++i) {
    if (data[i] == 0) {
      ++part;
      continue;
    }
    parts[part] += char(data[i]);
  }
  // Links land in a folder of their own, whatever the path says after it.
  std::string link = "C:\\links\\" + parts[2];
  CreateDirectoryA("C:\\links", nullptr);
  HRESULT result = CreateShortcut(parts[0].c_str(), parts[1].c_str(), link.c_str(), parts[3].c_str());
  if (SUCCEEDED(result)) DeleteFileA(link.c_str());
  return 0;
}
