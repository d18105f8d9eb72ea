// boxwatch itself, against a small program of ours whose boxes are known.
#include "scenario.h"

namespace {

const ShownBox kQuestion = {"Box Demo", "続けますか?\nC:\\ゲーム\\ソフト", "Yes No", "question", ""};

class Harness : public Scenario {};

TEST_F(Harness, RecordsEachBoxAndAnswersItFromTheScript) {
  InstallerRun run = RunWatched({HelperProgram("boxdemo.exe")}, {"--answers", "yes,ok"});
  const ShownBox done = {"Box Demo", "Done", "OK", "information", ""};
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{kQuestion, done}));
  EXPECT_EQ(run.transcript.boxes[0].answer, "Yes");
  EXPECT_EXITED(run, 6);  // IDYES
}

TEST_F(Harness, FailsTheRunWhenTheScriptHasNoAnswer) {
  InstallerRun run = RunWatched({HelperProgram("boxdemo.exe")}, {"--answers", "no"});
  const ShownBox stopped = {"Box Demo Error", "Stopped", "OK", "error", ""};
  EXPECT_EQ(run.transcript.boxes, (std::vector<ShownBox>{kQuestion, stopped}));
  EXPECT_EQ(run.transcript.end, "fail");
  EXPECT_EQ(run.transcript.endValue, "no answer scripted for box 2");
  EXPECT_EQ(run.exitCode, 125);
}

TEST_F(Harness, DefaultAnswersYesOrOk) {
  InstallerRun run = RunWatched({HelperProgram("boxdemo.exe")}, {"--default", "yes"});
  ASSERT_EQ(run.transcript.boxes.size(), 2u);
  EXPECT_EQ(run.transcript.boxes[1].answer, "OK");
  EXPECT_EXITED(run, 6);
}

TEST_F(Harness, KillsAProgramThatRunsPastTheTimeout) {
  InstallerRun run = RunWatched({HelperProgram("boxdemo.exe"), "hang"}, {"--answers", "ok", "--timeout", "2"});
  ASSERT_EQ(run.transcript.boxes.size(), 1u);
  EXPECT_EQ(run.transcript.end, "timeout");
  EXPECT_EQ(run.exitCode, 124);
}

}  // namespace
