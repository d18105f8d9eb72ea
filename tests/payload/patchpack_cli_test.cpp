// patchpack as a maintainer runs it: results, messages and exit codes, and no
// output file left behind by a failure.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct ToolRun {
  int exitCode;
  std::string output;  // stdout and stderr together
};

ToolRun Patchpack(const std::string& args) {
  const std::string command = std::string(PATCHPACK_EXE) + " " + args + " 2>&1";
  ToolRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char chunk[4096];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) run.output.append(chunk, got);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class PatchpackCli : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/patchpack_cli_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string Path(const char* name) const { return dir_ + "/" + name; }

  void Write(const char* name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const char* name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const char* name) const { return access(Path(name).c_str(), F_OK) == 0; }
  // No temporary file may stay behind either.
  size_t FileCount() const {
    size_t count = 0;
    DIR* d = opendir(dir_.c_str());
    for (struct dirent* e; d && (e = readdir(d)) != nullptr;) count += e->d_name[0] != '.';
    if (d) closedir(d);
    return count;
  }

  std::string dir_;
};

TEST_F(PatchpackCli, PackAndUnpackRoundTripWithTheStoredTime) {
  std::string data;
  for (int i = 0; i < 5000; ++i) data += "line " + std::to_string(i % 37) + " of the readme\r\n";
  Write("in.txt", data);
  const ToolRun pack = Patchpack("pack " + Path("in.txt") + " " + Path("in.rec") +
                             " --time 2004-06-18T09:14:00Z");
  ASSERT_EQ(pack.exitCode, 0) << pack.output;
  EXPECT_NE(pack.output.find(std::to_string(data.size()) + " bytes -> record"), std::string::npos)
      << pack.output;
  const ToolRun unpack = Patchpack("unpack " + Path("in.rec") + " " + Path("out.txt"));
  ASSERT_EQ(unpack.exitCode, 0) << unpack.output;
  EXPECT_NE(unpack.output.find("2004-06-18T09:14:00Z"), std::string::npos) << unpack.output;
  EXPECT_EQ(Read("out.txt"), data);
  struct stat st;
  ASSERT_EQ(stat(Path("out.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1087550040);
}

TEST_F(PatchpackCli, PackWithoutTimeStoresTheInputsModificationTime) {
  Write("in.bin", std::string(1000, 'x'));
  const struct timespec times[2] = {{1075000000, 0}, {1075000000, 500000000}};
  ASSERT_EQ(utimensat(AT_FDCWD, Path("in.bin").c_str(), times, 0), 0);
  ASSERT_EQ(Patchpack("pack " + Path("in.bin") + " " + Path("in.rec")).exitCode, 0);
  const ToolRun unpack = Patchpack("unpack " + Path("in.rec") + " " + Path("out.bin"));
  EXPECT_NE(unpack.output.find("2004-01-25T03:06:40.5000000Z"), std::string::npos) << unpack.output;
}

struct BadRun {
  const char* name;
  const char* args;  // {} stands for the test folder
  int exitCode;
  const char* message;
};

const BadRun BAD_RUNS[] = {
    {"no command", "", 2, "usage: patchpack pack IN OUT"},
    {"unknown command", "squash {}/in {}/out", 2, "usage:"},
    {"missing output", "pack {}/in", 2, "usage:"},
    {"bad time", "pack {}/in {}/out --time 2004-06-18", 2, "bad --time '2004-06-18'"},
    {"impossible date", "pack {}/in {}/out --time 2004-02-30T00:00:00Z", 2, "bad --time"},
    {"missing input", "pack {}/nothing {}/out", 1, "nothing: cannot open"},
    {"folder as input", "pack {} {}/out", 1, "not a regular file"},
    {"output folder missing", "pack {}/in {}/no/out", 1, "no/out: cannot create"},
    {"truncated record", "unpack {}/short.rec {}/out", 1,
     "not a sound payload record: header claims 6 stream bytes but 5 follow it"},
    {"record shorter than a header", "unpack {}/in {}/out", 1, "too short for a record header"},
    {"stream yields too little", "unpack {}/few.rec {}/out", 1, "stream yields 3 of the 9 bytes"},
    {"list a text file", "list {}/in", 1, "not a Windows executable (no MZ header)"},
    {"list an image without a PE header", "list {}/bare.exe", 1, "not a Windows executable (no PE header)"},
};

void PrintTo(const BadRun& r, std::ostream* os) { *os << r.name; }

class PatchpackBadInput : public PatchpackCli, public testing::WithParamInterface<BadRun> {};

TEST_P(PatchpackBadInput, SaysWhyAndWritesNothing) {
  Write("in", "plain text");
  Write("short.rec", std::string("\0\0\0\0\0\0\0\0\x09\0\0\0\x06\0\0\0\x07" "abc\xEE", 21));
  Write("few.rec", std::string("\0\0\0\0\0\0\0\0\x09\0\0\0\x04\0\0\0\x07" "abc", 20));
  Write("bare.exe", std::string("MZ") + std::string(200, '\0'));
  Write("out", "kept");
  std::string args = GetParam().args;
  for (size_t at; (at = args.find("{}")) != std::string::npos;) args.replace(at, 2, dir_);
  const ToolRun run = Patchpack(args);
  EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.output;
  EXPECT_NE(run.output.find(GetParam().message), std::string::npos) << run.output;
  EXPECT_EQ(Read("out"), "kept");
  EXPECT_EQ(FileCount(), 5u);
}

INSTANTIATE_TEST_SUITE_P(Patchpack, PatchpackBadInput, testing::ValuesIn(BAD_RUNS));

}  // namespace
