#include "core/files/WriteAll.h"

#include <unistd.h>

#include <cerrno>

namespace vorlane {

int writeAll(int descriptor, const void* data, std::size_t length) {
  const char* next = static_cast<const char*>(data);
  while (length > 0) {
    const ssize_t written = ::write(descriptor, next, length);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return written < 0 ? errno : EIO;
    }
    next += written;
    length -= static_cast<std::size_t>(written);
  }
  return 0;
}

}  // namespace vorlane
