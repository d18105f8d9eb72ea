#include "tools/patchpack/file_io.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(std::string* error, const char* what) {
  *error = std::string(what) + ": " + strerror(errno);
  return false;
}

}  // namespace

bool ReadWholeFile(const char* path, std::vector<unsigned char>* data,
                   struct timespec* mtime, std::string* error) {
  const int fd = open(path, O_RDONLY);
  if (fd < 0) return Fail(error, "cannot open");
  struct stat st;
  if (fstat(fd, &st) != 0) {
    Fail(error, "cannot stat");
    close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    *error = "not a regular file";
    return false;
  }
  data->clear();
  unsigned char chunk[65536];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(error, "cannot read");
      close(fd);
      return false;
    }
    if (got == 0) break;
    data->insert(data->end(), chunk, chunk + got);
  }
  close(fd);
  if (mtime) *mtime = st.st_mtim;
  return true;
}

bool WriteWholeFile(const char* path, const unsigned char* data, size_t size,
                    const struct timespec* mtime, std::string* error) {
  std::string temp = std::string(path) + ".XXXXXX";
  const int fd = mkstemp(&temp[0]);
  if (fd < 0) return Fail(error, "cannot create");
  bool ok = true;
  for (size_t done = 0; ok && done < size;) {
    const ssize_t put = write(fd, data + done, size - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      ok = Fail(error, "cannot write");
    } else {
      done += (size_t)put;
    }
  }
  // mkstemp makes the file private; give it the usual permissions.
  if (ok && fchmod(fd, 0644) != 0) ok = Fail(error, "cannot set permissions");
  if (ok && mtime) {
    const struct timespec times[2] = {*mtime, *mtime};
    if (futimens(fd, times) != 0) ok = Fail(error, "cannot set the file time");
  }
  if (close(fd) != 0 && ok) ok = Fail(error, "cannot write");
  if (ok && rename(temp.c_str(), path) != 0) ok = Fail(error, "cannot replace");
  if (!ok) unlink(temp.c_str());
  return ok;
}
