// Loaded into a program (LD_PRELOAD), kills it with SIGKILL at a chosen
// point, as a user or a power cut would stop it there:
//   KILL_AT_RENAME=SUFFIX   before the rename of a file onto a name ending
//                           in SUFFIX;
//   KILL_IN_FILE=PART       once KILL_AFTER_BYTES bytes have been written to
//   KILL_AFTER_BYTES=N      files whose name holds PART.
#include <dlfcn.h>
#include <signal.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

void Die() {
  kill(getpid(), SIGKILL);
}

bool EndsWith(const std::string& text, const char* suffix) {
  const std::string end(suffix);
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Counts what is written to the watched files; kills once the count is due.
void Written(int fd, long long bytes) {
  static long long total = 0;
  const char* part = std::getenv("KILL_IN_FILE");
  const char* after = std::getenv("KILL_AFTER_BYTES");
  if (part == nullptr || after == nullptr || bytes <= 0) return;
  char path[4096];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = readlink(link.c_str(), path, sizeof path - 1);
  if (length <= 0 ||
      std::string(path, static_cast<std::size_t>(length)).find(part) == std::string::npos) {
    return;
  }
  total += bytes;
  if (total >= std::atoll(after)) Die();
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int rename(const char* from, const char* to) {
  const char* suffix = std::getenv("KILL_AT_RENAME");
  if (suffix != nullptr && EndsWith(to, suffix)) Die();
  static const auto next = Next<int (*)(const char*, const char*)>("rename");
  return next(from, to);
}

extern "C" ssize_t write(int fd, const void* buffer, size_t count) {
  static const auto next = Next<ssize_t (*)(int, const void*, size_t)>("write");
  const ssize_t written = next(fd, buffer, count);
  Written(fd, written);
  return written;
}

extern "C" ssize_t writev(int fd, const struct iovec* pieces, int count) {
  static const auto next = Next<ssize_t (*)(int, const struct iovec*, int)>("writev");
  const ssize_t written = next(fd, pieces, count);
  Written(fd, written);
  return written;
}
