#include "lnkinfo.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

// lnkinfo's output, or false when it could not run or refused the file.
bool RunLnkinfo(const std::string& hostPath, std::string* output) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    execlp("lnkinfo", "lnkinfo", "-c", "windows-932", hostPath.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  char buffer[4096];
  ssize_t got;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) output->append(buffer, size_t(got));
  close(pipeEnds[0]);
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The value of "\tKey\t\t: value" in the link information section; "" when absent.
std::string Field(const std::string& output, const std::string& key) {
  size_t at = output.find("\t" + key + "\t");
  if (at == std::string::npos) return "";
  size_t value = output.find(": ", at);
  size_t end = output.find('\n', at);
  if (value == std::string::npos || value > end) return "";
  return output.substr(value + 2, end - value - 2);
}

}  // namespace

bool ReadWithLnkinfo(const std::string& hostPath, LnkinfoFields* fields) {
  std::string output;
  if (!RunLnkinfo(hostPath, &output) || output.find("Windows Shortcut information:") == std::string::npos) return false;
  fields->target = Field(output, "Local path");
  fields->arguments = Field(output, "Command line arguments");
  fields->workingFolder = Field(output, "Working directory");
  return true;
}
