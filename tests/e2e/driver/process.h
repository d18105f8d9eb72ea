// Running host programs (Wine among them) from the scenarios.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct Command {
  Command() = default;
  Command(std::vector<std::string> argv_, std::vector<std::string> env_ = {}) : argv(argv_), env(env_) {}

  std::vector<std::string> argv;
  std::vector<std::string> env;  // "NAME=value", set on top of the driver's own environment
  std::string cwd;               // empty: the driver's
};

struct ProcessResult {
  int exitCode;        // -1 when it could not run or died of a signal
  std::string output;  // stdout and stderr together
};

ProcessResult RunProcess(const Command& command);

// A program that runs beside the scenario, talked to through its stdin and
// stdout. Killed on destruction if still running.
class BackgroundProcess {
 public:
  BackgroundProcess() = default;
  ~BackgroundProcess();
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  bool Start(const Command& command);
  // The next line of its output without the line end; empty after the
  // timeout or at its end.
  std::string ReadLine(int timeoutMs);
  // Closes its stdin and waits for it; its exit code, or -1.
  int Finish();

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string buffered_;
};
