#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// In the forked child: sets up the environment and folder, then becomes the
// program. Never returns.
[[noreturn]] void Exec(const Command& command) {
  for (const std::string& entry : command.env) putenv(const_cast<char*>(entry.c_str()));
  if (!command.cwd.empty() && chdir(command.cwd.c_str()) != 0) _exit(127);
  std::vector<char*> argv;
  for (const std::string& arg : command.argv) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

int ExitCode(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// The output goes to an unnamed file, not a pipe: the Wine services a run
// starts keep their copy of it open well after the program has ended.
ProcessResult RunProcess(const Command& command) {
  FILE* output = tmpfile();
  if (command.argv.empty() || !output) {
    if (output) fclose(output);
    return {-1, "cannot run"};
  }
  pid_t pid = fork();
  if (pid == 0) {
    int null = open("/dev/null", O_RDONLY);
    dup2(null, 0);
    dup2(fileno(output), 1);
    dup2(fileno(output), 2);
    Exec(command);
  }
  ProcessResult result = {pid > 0 ? ExitCode(pid) : -1, ""};
  rewind(output);
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, output)) > 0) result.output.append(buffer, got);
  fclose(output);
  return result;
}

BackgroundProcess::~BackgroundProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    ExitCode(pid_);
  }
  if (input_ >= 0) close(input_);
  if (output_ >= 0) close(output_);
}

bool BackgroundProcess::Start(const Command& command) {
  int in[2], out[2];
  if (command.argv.empty() || pipe(in) != 0) return false;
  if (pipe(out) != 0) {
    close(in[0]);
    close(in[1]);
    return false;
  }
  pid_ = fork();
  if (pid_ == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(out[1], 2);
    close(in[1]);
    close(out[0]);
    Exec(command);
  }
  close(in[0]);
  close(out[1]);
  input_ = in[1];
  output_ = out[0];
  return pid_ > 0;
}

std::string BackgroundProcess::ReadLine(int timeoutMs) {
  for (;;) {
    size_t end = buffered_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    pollfd ready = {output_, POLLIN, 0};
    if (output_ < 0 || poll(&ready, 1, timeoutMs) <= 0) return std::string();
    char buffer[512];
    ssize_t got = read(output_, buffer, sizeof buffer);
    if (got <= 0) return std::string();
    buffered_.append(buffer, size_t(got));
  }
}

int BackgroundProcess::Finish() {
  if (input_ >= 0) close(input_);
  input_ = -1;
  if (pid_ <= 0) return -1;
  int code = ExitCode(pid_);
  pid_ = -1;
  return code;
}
