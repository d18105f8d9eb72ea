// The run's transcript: UTF-8 lines "key value", a record per box, then how
// the run ended ("exit N", "timeout SECONDS" or "fail REASON"). Values are
// escaped with EscapeField. Each record is flushed as it is written, so a run
// that is killed keeps what it saw.
#pragma once

#include <windows.h>

#include <string>

#include "boxes.h"

class Transcript {
 public:
  // An empty path records nothing; `print` also writes each record to stdout
  // as plain text.
  Transcript(const std::wstring& path, bool print);
  ~Transcript();
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  bool ok() const { return ok_; }
  // `answer` is the button pressed, or 0 when the box was left to a person.
  void AddBox(const Box& box, int answer);
  void End(const std::string& key, const std::string& value);

 private:
  void Write(const std::string& lines);

  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool print_;
  bool ok_ = true;
  int boxes_ = 0;
};
