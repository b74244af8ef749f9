#include "platform/posix/posix_file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace kestrav {
namespace {

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Closes a descriptor when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool Close() {
    const bool closed = fd_ < 0 || ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_;
};

// Copies to the end of from; a read error is a failure, never an early end.
bool CopyContent(int from, int to, off_t expectedSize) {
  std::vector<char> buffer(256 * 1024);
  off_t copied = 0;
  for (;;) {
    const ssize_t got = ::read(from, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return copied == expectedSize;
    if (!WriteAll(to, buffer.data(), static_cast<std::size_t>(got))) return false;
    copied += got;
  }
}

}  // namespace

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t done = ::write(fd, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    data += done;
    size -= static_cast<std::size_t>(done);
  }
  return true;
}

bool ReplaceThroughTemporary(const std::string& target, mode_t mode, const std::function<bool(int fd)>& fill) {
  std::string temporary = DirectoryOf(target) + "/.kestrav-XXXXXX";
  Descriptor to(::mkstemp(temporary.data()));
  if (to.get() < 0) return false;
  const bool ok = ::fchmod(to.get(), mode) == 0 && fill(to.get()) && ::fsync(to.get()) == 0 && to.Close() &&
                  ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

bool CopyThroughTemporary(const std::string& source, const std::string& target) {
  // Opened without waiting, as a FIFO would wait for a writer; only a regular file is
  // copied, and read as usual once it is known to be one.
  const Descriptor from(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  struct stat info, existing;
  if (from.get() < 0 || ::fstat(from.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      ::fcntl(from.get(), F_SETFL, ::fcntl(from.get(), F_GETFL) & ~O_NONBLOCK) != 0) {
    return false;
  }
  // A file is never copied onto itself, as on Windows.
  if (::stat(target.c_str(), &existing) == 0 && existing.st_dev == info.st_dev && existing.st_ino == info.st_ino) {
    return false;
  }
  const struct timespec times[2] = {info.st_mtim, info.st_mtim};
  // The times are set last, as writing the bytes moves them.
  return ReplaceThroughTemporary(target, 0644, [&](int to) {
    return CopyContent(from.get(), to, info.st_size) && ::futimens(to, times) == 0;
  });
}

}  // namespace kestrav
