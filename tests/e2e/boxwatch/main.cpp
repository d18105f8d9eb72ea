// boxwatch: runs a program, records each message box it shows (caption, text,
// buttons, icon) in a transcript and answers it from a script, as a person
// would by clicking. Exits with the program's exit code; 124 when the program
// ran past the timeout (it is killed), 125 when the run could not go as
// scripted.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "boxes.h"
#include "options.h"
#include "transcript.h"
#include "utf8.h"

namespace {

const int kTimedOut = 124;
const int kHarnessFailure = 125;
const DWORD kPollMs = 15;
const DWORD kTagWaitMs = 2000;  // how long a box may go without its icon tag

struct Pending {
  HWND window;
  DWORD firstSeen;
};

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length < MAX_PATH ? length : 0);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// The hook that tags each box of the program's thread with its icon.
bool HookThread(DWORD threadId) {
  HMODULE hook = LoadLibraryW((ModuleFolder() + L"boxhook.dll").c_str());
  HOOKPROC proc = hook ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hook, "BoxHookProc"))) : nullptr;
  return proc && SetWindowsHookExW(WH_CBT, proc, hook, threadId);
}

void Complain(const std::string& text) { WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), "boxwatch: " + text + "\n"); }

class Watch {
 public:
  Watch(const Options& options, Transcript* transcript) : options_(options), transcript_(transcript) {}

  // Answers what is new; false (with the reason in the transcript) when the
  // script has no fitting answer.
  bool Poll(DWORD pid) {
    seen_.erase(std::remove_if(seen_.begin(), seen_.end(), [](HWND w) { return !IsWindow(w); }), seen_.end());
    for (HWND window : FindNewBoxes(pid, seen_)) {
      if (!IsTagged(window) && !WaitedLongEnough(window)) continue;
      seen_.push_back(window);
      if (!Handle(ReadBox(window))) return false;
    }
    return true;
  }

 private:
  bool WaitedLongEnough(HWND window) {
    DWORD now = GetTickCount();
    for (const Pending& pending : pending_)
      if (pending.window == window) return now - pending.firstSeen >= kTagWaitMs;
    pending_.push_back({window, now});
    return false;
  }

  int ChooseAnswer(const Box& box, std::string* failure) {
    const int number = ++boxes_;
    if (next_ < options_.answers.size()) {
      int answer = options_.answers[next_++];
      if (HasButton(box, answer)) return answer;
      *failure = "box " + std::to_string(number) + " has no " + ButtonName(answer) + " button";
      return 0;
    }
    if (options_.fallback && HasButton(box, options_.fallback)) return options_.fallback;
    if (options_.fallback && HasButton(box, IDOK)) return IDOK;
    *failure = "no answer scripted for box " + std::to_string(number);
    return 0;
  }

  bool Handle(const Box& box) {
    if (options_.watchOnly) {
      transcript_->AddBox(box, 0);
      return true;
    }
    std::string failure;
    int answer = ChooseAnswer(box, &failure);
    transcript_->AddBox(box, answer);
    if (!answer) {
      transcript_->End("fail", failure);
      Complain(failure);
      return false;
    }
    PressButton(box, answer);
    return true;
  }

  const Options& options_;
  Transcript* transcript_;
  std::vector<HWND> seen_;
  std::vector<Pending> pending_;
  size_t next_ = 0;
  int boxes_ = 0;
};

int Run(const Options& options) {
  Transcript transcript(options.transcript, options.print);
  if (!transcript.ok()) {
    Complain("cannot write the transcript " + Utf8FromWide(options.transcript));
    return kHarnessFailure;
  }
  // The program starts in its own folder, as it does when opened from there.
  std::wstring folder = options.program.substr(0, options.program.find_last_of(L"\\/") + 1);
  std::wstring commandLine = options.commandLine;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &child)) {
    transcript.End("fail", "cannot start the program: error " + std::to_string(GetLastError()));
    Complain("cannot start " + Utf8FromWide(options.program));
    return kHarnessFailure;
  }
  if (!HookThread(child.dwThreadId)) Complain("no icon hook: icons are recorded as unknown");
  ResumeThread(child.hThread);

  Watch watch(options, &transcript);
  const DWORD started = GetTickCount();
  int result = kHarnessFailure;
  for (;;) {
    if (WaitForSingleObject(child.hProcess, kPollMs) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(child.hProcess, &code);
      transcript.End("exit", std::to_string(code));
      result = int(code);
      break;
    }
    if (!watch.Poll(child.dwProcessId)) {
      TerminateProcess(child.hProcess, kHarnessFailure);
      break;
    }
    if (options.timeoutMs && GetTickCount() - started > options.timeoutMs) {
      TerminateProcess(child.hProcess, kTimedOut);
      transcript.End("timeout", std::to_string(options.timeoutMs / 1000));
      Complain("the program was still running after the timeout and was killed");
      result = kTimedOut;
      break;
    }
  }
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return result;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  Options options;
  std::string error;
  if (!argv || !ParseOptions(argc - 1, argv + 1, &options, &error)) {
    Complain(error);
    WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), kUsage);
    return kHarnessFailure;
  }
  LocalFree(argv);
  return Run(options);
}
