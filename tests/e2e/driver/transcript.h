// Reading boxwatch's transcript: the boxes a run showed, and how it ended.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct ShownBox {
  std::string caption;  // UTF-8, as the box showed it
  std::string text;
  std::string buttons;  // "Yes No", "OK"
  std::string icon;     // "question", "error", "information", ...
  std::string answer;   // the button boxwatch pressed; not part of what was shown
};

// Boxes are equal when they showed the same; the answer does not count.
bool operator==(const ShownBox& a, const ShownBox& b);
void PrintTo(const ShownBox& box, std::ostream* out);

struct Transcript {
  std::vector<ShownBox> boxes;
  std::string end;       // "exit", "timeout" or "fail"; empty when the run left no end
  std::string endValue;  // the exit code, the timeout, or the reason
};

// A field as boxwatch escaped it (\\, \n, \r, \t), read back.
std::string UnescapeField(const std::string& value);

bool ReadTranscript(const std::string& path, Transcript* transcript, std::string* error);
