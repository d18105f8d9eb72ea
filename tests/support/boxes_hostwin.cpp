// Native: the stand-in records every box and answers from its queue.
#include <stdio.h>

#include "boxes.h"
#include "hostwin/control.h"

namespace {

RecordedBox FromRecord(const hostwin::BoxRecord& r) {
  return RecordedBox{r.text, r.caption, r.style, r.owner != nullptr, r.answer, r.closedUnanswered};
}

void Echo(const hostwin::BoxRecord& r) {
  fprintf(stderr, "%s\n", EchoLine(FromRecord(r)).c_str());
  fflush(stderr);
}

}  // namespace

struct BoxScript::State {
  size_t firstBox;
};

BoxScript::BoxScript(std::vector<int> answers, bool echo) : state_(new State{hostwin::Boxes().size()}) {
  hostwin::QueueAnswers(answers);
  if (echo) hostwin::SetBoxObserver(Echo);
}

BoxScript::~BoxScript() {
  hostwin::SetBoxObserver(nullptr);
  hostwin::ClearBoxes();
  delete state_;
}

std::vector<RecordedBox> BoxScript::Boxes() const {
  std::vector<RecordedBox> out;
  const auto& all = hostwin::Boxes();
  for (size_t i = state_->firstBox; i < all.size(); ++i) out.push_back(FromRecord(all[i]));
  return out;
}
