#include "transcript.h"

#include <fstream>

std::string UnescapeField(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    char next = value[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
  }
  return out;
}

bool operator==(const ShownBox& a, const ShownBox& b) {
  return a.caption == b.caption && a.text == b.text && a.buttons == b.buttons && a.icon == b.icon;
}

void PrintTo(const ShownBox& box, std::ostream* out) {
  *out << "{caption \"" << box.caption << "\", text \"" << box.text << "\", buttons \"" << box.buttons << "\", icon "
       << box.icon << "}";
}

bool ReadTranscript(const std::string& path, Transcript* transcript, std::string* error) {
  std::ifstream in(path);
  if (!in) {
    *error = "no transcript at " + path;
    return false;
  }
  *transcript = Transcript();
  std::string line;
  while (std::getline(in, line)) {
    size_t space = line.find(' ');
    std::string key = line.substr(0, space);
    std::string value = space == std::string::npos ? std::string() : UnescapeField(line.substr(space + 1));
    if (key == "box") {
      transcript->boxes.emplace_back();
      continue;
    }
    if (key == "exit" || key == "timeout" || key == "fail") {
      transcript->end = key;
      transcript->endValue = value;
      continue;
    }
    if (transcript->boxes.empty()) continue;
    ShownBox& box = transcript->boxes.back();
    if (key == "caption") box.caption = value;
    if (key == "text") box.text = value;
    if (key == "buttons") box.buttons = value;
    if (key == "icon") box.icon = value;
    if (key == "answer") box.answer = value;
  }
  return true;
}
