// WinExec: records each command line and "starts" its program when the
// program exists in the stand-in's files. Nothing is run.
#include <string>
#include <vector>

#include "hostwin/shell_control.h"
#include "internal.h"
#include "shell_internal.h"

namespace {

std::vector<hostwin::LaunchRecord> launches;

// The program part of a command line: the quoted text, or up to the first space.
std::string ProgramOf(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') {
    size_t end = commandLine.find('"', 1);
    return commandLine.substr(1, end == std::string::npos ? std::string::npos : end - 1);
  }
  return commandLine.substr(0, commandLine.find(' '));
}

// What WinExec gives: above 31 once the process started, else the error.
UINT StartResult(const std::string& program) {
  if (program.empty()) return ERROR_FILE_NOT_FOUND;
  DWORD attributes = GetFileAttributesA(program.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_PATH_NOT_FOUND ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;
  return 33;
}

}  // namespace

UINT WINAPI WinExec(LPCSTR commandLine, UINT show) {
  std::string line = commandLine ? commandLine : "";
  UINT result = StartResult(ProgramOf(line));
  launches.push_back(hostwin::LaunchRecord{line, show, result});
  if (result <= 31) SetLastError(result);
  return result;
}

namespace hostwin {

const std::vector<LaunchRecord>& Launches() { return launches; }
void ResetProcesses() { launches.clear(); }

}  // namespace hostwin
