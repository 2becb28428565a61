#include "atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string systemError(const std::string& path) {
  return "cannot write " + path + ": " + std::strerror(errno);
}

}  // namespace

std::string writeAtomically(const std::string& path,
                            const std::function<std::string(std::FILE*)>& write) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return systemError(path);
  // mkstemp makes the file private; give it the permissions any new file would get.
  const mode_t mask = umask(0);
  umask(mask);
  std::FILE* file = fchmod(fd, 0666 & ~mask) == 0 ? fdopen(fd, "wb") : nullptr;
  if (file == nullptr) {
    const std::string reason = systemError(path);
    close(fd);
    unlink(temporary.c_str());
    return reason;
  }

  std::string reason = write(file);
  const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  if (reason.empty() && !flushed) reason = systemError(path);
  if (std::fclose(file) != 0 && reason.empty()) reason = systemError(path);
  if (reason.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
    reason = systemError(path);
  }
  if (!reason.empty()) unlink(temporary.c_str());
  return reason;
}
