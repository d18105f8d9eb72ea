#include "string_table.h"

#include <ctype.h>

#include <fstream>
#include <map>

#include "config.h"

namespace {

// The quoted text of a line `  ID, "text"`, with the script's escapes read.
std::string QuotedText(const std::string& line, size_t open) {
  std::string text;
  for (size_t i = open + 1; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      text += '"';
      ++i;
    } else if (c == '"') {
      break;
    } else if (c == '\\' && i + 1 < line.size()) {
      char next = line[++i];
      text += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    } else {
      text += c;
    }
  }
  return text;
}

std::map<int, std::string> Load() {
  std::map<int, std::string> texts;
  std::ifstream in(KELMOR_SOURCE_DIR "/resources/strings.rc");
  std::string line;
  while (std::getline(in, line)) {
    size_t start = line.find_first_not_of(" \t");
    size_t open = line.find('"');
    if (start == std::string::npos || open == std::string::npos || !isdigit(static_cast<unsigned char>(line[start])))
      continue;
    texts[std::stoi(line.substr(start))] = QuotedText(line, open);
  }
  return texts;
}

}  // namespace

std::string TableText(int id) {
  static const std::map<int, std::string> texts = Load();
  auto found = texts.find(id);
  return found == texts.end() ? std::string() : found->second;
}

std::string FillIn(std::string format, const std::string& first, const std::string& second) {
  const std::string* values[] = {&first, &second};
  size_t at = 0;
  for (const std::string* value : values) {
    at = format.find("%s", at);
    if (at == std::string::npos) break;
    format.replace(at, 2, *value);
    at += value->size();
  }
  return format;
}
