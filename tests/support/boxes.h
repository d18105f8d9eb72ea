// Answers and records the message boxes the code under test shows on this
// thread: on Windows through a CBT hook on the real boxes, natively through
// the stand-in's queue.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RecordedBox {
  std::string text;     // ANSI (code page 932) bytes
  std::string caption;  // likewise
  UINT style;           // buttons | icon, as far as the box shows them
  bool hasOwner;
  int answer;
  bool closedUnanswered;  // the script had run out: closed as a person would
};

class BoxScript {
 public:
  // Answers the next boxes with `answers` in order; after that, a Yes/No box
  // gets IDNO and any other IDOK. With `echo`, each box is also written to
  // stderr as "BOX caption|text|style" when it appears (for death tests).
  explicit BoxScript(std::vector<int> answers = {}, bool echo = false);
  ~BoxScript();
  BoxScript(const BoxScript&) = delete;
  BoxScript& operator=(const BoxScript&) = delete;

  std::vector<RecordedBox> Boxes() const;

 private:
  struct State;
  State* state_;
};

// "BOX caption|text|0xSTYLE" as `echo` writes it.
std::string EchoLine(const RecordedBox& box);
