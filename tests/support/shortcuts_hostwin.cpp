// Native: lnkinfo reads the host file behind the stand-in's path. It prints
// UTF-8; ANSI strings in the file are decoded as code page 932.
#include <iconv.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "hostwin/control.h"
#include "shortcuts.h"

namespace {

std::string Utf8ToAnsi(const std::string& text) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == (iconv_t)-1) return text;
  std::string out(text.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* dst = &out[0];
  size_t outLeft = out.size();
  iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

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

// The value of "\tKey\t\t: value" in the link information section.
std::string Field(const std::string& output, const std::string& key) {
  size_t at = output.find("\t" + key + "\t");
  if (at == std::string::npos) return "";
  size_t value = output.find(": ", at);
  size_t end = output.find('\n', at);
  if (value == std::string::npos || value > end) return "";
  return Utf8ToAnsi(output.substr(value + 2, end - value - 2));
}

}  // namespace

ShortcutFields ReadShortcut(const std::string& linkPath) {
  ShortcutFields fields = {false, "", "", ""};
  std::string output;
  if (!RunLnkinfo(hostwin::HostPath(linkPath.c_str()), &output)) return fields;
  fields.read = output.find("Windows Shortcut information:") != std::string::npos;
  fields.target = Field(output, "Local path");
  fields.arguments = Field(output, "Command line arguments");
  fields.workingFolder = Field(output, "Working directory");
  return fields;
}
