#include "scenario.h"

#include <stdio.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "config.h"
#include "process.h"
#include "string_table.h"

namespace fs = std::filesystem;

const char kDownloads[] = "C:\\Downloads";
const char kInstaller[] = "C:\\Downloads\\KelmorPatch14.exe";
const char kGameFolder[] = "C:\\Games\\Kelmor";
const char kProgramGroup[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Kelmor";
const char kRetiredShortcut[] = "Kelmor MPlayer.lnk";

namespace {

const char kTranscript[] = "C:\\e2e\\transcript.txt";
const char kBoxwatchTimeout[] = "60";
const char kGameKey[] = "Software\\Halvecrest\\Kelmor";
const char kServiceKey[] = "Software\\GameSpy\\GameSpy Arcade";
const char kServiceFolder[] = "C:\\Program Files\\GameSpy Arcade";

// errtext's lines: "CODE<tab>escaped text".
std::map<unsigned, std::string> ParseErrorTexts(const std::string& output) {
  std::map<unsigned, std::string> texts;
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(start, end - start);
    size_t tab = line.find('\t');
    if (tab != std::string::npos && tab > 0) texts[unsigned(std::stoul(line.substr(0, tab)))] = UnescapeField(line.substr(tab + 1));
    start = end + 1;
  }
  return texts;
}

}  // namespace

std::string HelperProgram(const char* name) { return std::string(E2E_HELPERS_DIR) + "/" + name; }

std::string VariantInstaller(const char* name) { return std::string(E2E_VARIANTS_DIR) + "/" + name + ".exe"; }

bool WaitForFile(const std::string& hostPath, int timeoutMs) {
  const int kPollMs = 100;
  for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
    if (fs::exists(hostPath)) return true;
    usleep(kPollMs * 1000);
  }
  return fs::exists(hostPath);
}

void Scenario::SetUp() {
  std::string error;
  ASSERT_TRUE(EnsureTemplatePrefix(&error)) << error;
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  ASSERT_TRUE(prefix_.Create(std::string(test->test_suite_name()) + "." + test->name(), &error)) << error;
  fs::create_directories(prefix_.HostPath("C:\\e2e"));
  fs::create_directories(prefix_.HostPath(kDownloads));
}

void Scenario::TearDown() {
  if (HasFailure()) {
    prefix_.Shutdown();
    printf("The prefix is kept for a look: %s\n", prefix_.root().c_str());
    return;
  }
  prefix_.Remove();
}

void Scenario::SetGameFolderValue(const std::string& folder) {
  std::string error;
  ASSERT_TRUE(prefix_.SetUserValue(kGameKey, "DestDir", "REG_SZ", folder, &error)) << error;
}

void Scenario::InstallGame(const std::string& folder, const GameLayout& layout) {
  gameFolder_ = folder;
  gameHostFolder_ = prefix_.HostPath(folder);
  std::string error;
  ASSERT_TRUE(LayOutGame(gameHostFolder_, layout, &error)) << error;
  SetGameFolderValue(folder);
  if (layout.onlineService) InstallOnlineService();
  before_ = GameFiles();
}

void Scenario::MakeProgramGroup() {
  fs::create_directories(prefix_.HostPath(kProgramGroup));
  std::ofstream(prefix_.HostPath(kProgramGroup) + "/" + kRetiredShortcut) << "a shortcut of patch 1.3\n";
}

void Scenario::WriteGameFile(const std::string& relativePath, const std::string& content) {
  std::ofstream(gameHostFolder_ + "/" + relativePath, std::ios::binary | std::ios::trunc) << content;
  before_ = GameFiles();
}

// Only its registration and its program's presence count.
void Scenario::InstallOnlineService() {
  const std::string folder = prefix_.HostPath(kServiceFolder);
  fs::create_directories(folder);
  std::ofstream(folder + "/Aphex.exe") << "matchmaking service\n";
  std::string error;
  ASSERT_TRUE(prefix_.SetUserValue(kServiceKey, "InstDir", "REG_SZ", kServiceFolder, &error)) << error;
}

InstallerRun Scenario::RunWatched(const std::vector<std::string>& command,
                                  const std::vector<std::string>& boxwatchArgs, const std::vector<std::string>& env) {
  std::vector<std::string> args = {HelperProgram("boxwatch.exe"), "--timeout", kBoxwatchTimeout, "--transcript",
                                   kTranscript};
  args.insert(args.end(), boxwatchArgs.begin(), boxwatchArgs.end());
  args.push_back("--");
  args.insert(args.end(), command.begin(), command.end());
  fs::remove(prefix_.HostPath(kTranscript));
  ProcessResult result = prefix_.Wine(args, env);
  InstallerRun run = {Transcript(), result.exitCode, result.output};
  std::string error;
  if (!ReadTranscript(prefix_.HostPath(kTranscript), &run.transcript, &error)) ADD_FAILURE() << error << "\n" << result.output;
  return run;
}

InstallerRun Scenario::RunInstaller(const std::string& answers, const std::vector<std::string>& env) {
  return RunInstallerBuild(KELMOR_INSTALLER_EXE, answers, env);
}

InstallerRun Scenario::RunInstallerBuild(const std::string& hostExe, const std::string& answers,
                                         const std::vector<std::string>& env) {
  std::error_code failed;
  fs::copy_file(hostExe, prefix_.HostPath(kInstaller), fs::copy_options::overwrite_existing, failed);
  EXPECT_FALSE(failed) << "cannot copy " << hostExe << ": " << failed.message();
  return RunWatched({kInstaller}, {"--answers", answers}, env);
}

std::string Scenario::SystemText(unsigned code) {
  static std::map<unsigned, std::string> texts;
  if (!texts.count(code)) {
    ProcessResult result = prefix_.Wine({HelperProgram("errtext.exe"), std::to_string(code)});
    EXPECT_EQ(result.exitCode, 0) << result.output;
    std::map<unsigned, std::string> parsed = ParseErrorTexts(result.output);
    texts.insert(parsed.begin(), parsed.end());
  }
  return texts[code];
}

ShownBox Scenario::ConfirmBox() const {
  return {TableText(STR_CAPTION_PATCH), FillIn(TableText(STR_CONFIRM_INSTALL), gameFolder_), "Yes No", "question", ""};
}

ShownBox Scenario::CompletionBox() {
  return {TableText(STR_CAPTION_PATCH), TableText(STR_INSTALL_COMPLETE), "OK", "information", ""};
}

ShownBox Scenario::NotInstalledBox() {
  return {TableText(STR_CAPTION_PATCH_ERROR), TableText(STR_NOT_INSTALLED), "OK", "error", ""};
}

ShownBox Scenario::DirectXMissingBox() {
  return {TableText(STR_CAPTION_PATCH), TableText(STR_DIRECTX_MISSING), "Yes No", "question", ""};
}

ShownBox Scenario::ServiceOfferBox() {
  return {TableText(STR_CAPTION_PATCH), TableText(STR_OFFER_SERVICE), "Yes No", "question", ""};
}

ShownBox Scenario::ErrorCodeBox(int captionId, unsigned code) {
  return {TableText(captionId), SystemText(code), "OK", "error", ""};
}

void Scenario::ExpectReplaceRefusedWhileHeld(const std::vector<std::string>& holdfileArgs) {
  std::vector<std::string> args = {HelperProgram("holdfile.exe")};
  args.insert(args.end(), holdfileArgs.begin(), holdfileArgs.end());
  BackgroundProcess holder;
  ASSERT_TRUE(holder.Start(prefix_.WineCommand(args)));
  ASSERT_EQ(holder.ReadLine(30000), "held");

  InstallerRun run = RunInstaller("yes,ok");
  EXPECT_EQ(holder.Finish(), 0);
  ASSERT_EQ(run.transcript.boxes.size(), 2u) << run.output;
  EXPECT_EQ(run.transcript.boxes[0], ConfirmBox());
  const ShownBox& refused = run.transcript.boxes[1];
  EXPECT_TRUE(refused == ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_SHARING_VIOLATION) ||
              refused == ErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_ACCESS_DENIED))
      << testing::PrintToString(refused);
  EXPECT_EXITED(run, 0);
}
