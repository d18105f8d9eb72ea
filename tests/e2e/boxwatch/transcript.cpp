#include "transcript.h"

#include "options.h"
#include "utf8.h"

namespace {

std::string ButtonList(const Box& box, const char* before, const char* after) {
  std::string out;
  for (int id : box.buttons) {
    if (!out.empty()) out += ' ';
    out += before + ButtonName(id) + after;
  }
  return out;
}

// The box as a person reads it, for the terminal.
std::string PlainBox(int number, const Box& box, int answer) {
  std::string out = "--- box " + std::to_string(number) + ": " + box.caption + " (" + box.icon + ")\n";
  size_t start = 0;
  while (start <= box.text.size()) {
    size_t end = box.text.find('\n', start);
    if (end == std::string::npos) end = box.text.size();
    out += "    " + box.text.substr(start, end - start) + "\n";
    start = end + 1;
  }
  out += "    " + ButtonList(box, "[", "]");
  out += answer ? " -> " + ButtonName(answer) + "\n" : " (waiting for you)\n";
  return out;
}

}  // namespace

Transcript::Transcript(const std::wstring& path, bool print) : print_(print) {
  if (path.empty()) return;
  file_ = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                      nullptr);
  ok_ = file_ != INVALID_HANDLE_VALUE;
}

Transcript::~Transcript() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

void Transcript::Write(const std::string& lines) {
  if (file_ == INVALID_HANDLE_VALUE) return;
  WriteUtf8(file_, lines);
  FlushFileBuffers(file_);
}

void Transcript::AddBox(const Box& box, int answer) {
  ++boxes_;
  Write("box " + std::to_string(boxes_) + "\ncaption " + EscapeField(box.caption) + "\ntext " +
        EscapeField(box.text) + "\nbuttons " + ButtonList(box, "", "") + "\nicon " + box.icon + "\nanswer " +
        (answer ? ButtonName(answer) : std::string("-")) + "\n");
  if (print_) WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), PlainBox(boxes_, box, answer));
}

void Transcript::End(const std::string& key, const std::string& value) {
  Write(key + " " + EscapeField(value) + "\n");
  if (print_ && key != "exit") WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), "--- " + key + ": " + value + "\n");
}
