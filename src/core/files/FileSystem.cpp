#include "core/files/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "core/text/NativeText.h"

namespace vorlane {
namespace {

struct ClosesDirectory {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

bool statusOf(const QString& path, struct stat& status) {
  return ::stat(encodeNative(path).constData(), &status) == 0;
}

// The entry's type comes with the listing on most file systems; only links (and entries of
// file systems that do not tell) need a look of their own.
bool isRegularEntry(int directory, const dirent& entry) {
  if (entry.d_type == DT_REG) {
    return true;
  }
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
    return false;
  }
  struct stat status {};
  return ::fstatat(directory, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

qint64 nanoseconds(const timespec& time) {
  return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

bool pathExists(const QString& path) {
  struct stat status {};
  return statusOf(path, status);
}

bool isDirectory(const QString& path) {
  struct stat status {};
  return statusOf(path, status) && S_ISDIR(status.st_mode);
}

bool isRegularFile(const QString& path) {
  return isNativeRegularFile(encodeNative(path));
}

bool isNativeRegularFile(const QByteArray& path) {
  struct stat status {};
  return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

namespace {

// Calls `visit` with each entry of the listing and the listing's descriptor; false when the
// directory cannot be read or entered.
bool forEachListedEntry(const QString& directory,
                        const std::function<void(int descriptor, const dirent& entry)>& visit) {
  const QByteArray native = encodeNative(directory);
  // A directory that may be read but not entered would list names whose files cannot be
  // looked at, and so seem to hold nothing.
  if (::access(native.constData(), R_OK | X_OK) != 0) {
    return false;
  }
  const int descriptor = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) {
    return false;
  }
  const std::unique_ptr<DIR, ClosesDirectory> listing(::fdopendir(descriptor));
  if (!listing) {
    ::close(descriptor);
    return false;
  }
  while (const dirent* entry = ::readdir(listing.get())) {
    visit(descriptor, *entry);
  }
  return true;
}

// The same for the entries whose name does not begin with ".".
bool forEachVisibleEntry(const QString& directory,
                         const std::function<void(int descriptor, const dirent& entry)>& visit) {
  return forEachListedEntry(directory, [&](int descriptor, const dirent& entry) {
    if (entry.d_name[0] != '.') {
      visit(descriptor, entry);
    }
  });
}

}  // namespace

std::optional<DirectoryStamp> directoryStamp(const QString& path) {
  struct stat status {};
  if (!statusOf(path, status) || !S_ISDIR(status.st_mode)) {
    return std::nullopt;
  }
  return DirectoryStamp{qint64(status.st_dev), qint64(status.st_ino), nanoseconds(status.st_mtim),
                        nanoseconds(status.st_ctim)};
}

bool forEachRegularFile(const QString& directory,
                        const std::function<void(QString name, quint64 fileNumber)>& visit) {
  return forEachVisibleEntry(directory, [&](int descriptor, const dirent& entry) {
    if (isRegularEntry(descriptor, entry)) {
      visit(decodeNative(entry.d_name), quint64(entry.d_ino));
    }
  });
}

bool forEachRegularNativeFile(const QString& directory,
                              const std::function<void(const char* name)>& visit) {
  return forEachVisibleEntry(directory, [&](int descriptor, const dirent& entry) {
    if (isRegularEntry(descriptor, entry)) {
      visit(entry.d_name);
    }
  });
}

bool forEachName(const QString& directory, const std::function<void(QString name)>& visit) {
  return forEachVisibleEntry(directory,
                             [&](int, const dirent& entry) { visit(decodeNative(entry.d_name)); });
}

bool forEachEntry(const QString& directory,
                  const std::function<void(int descriptor, const char* name)>& visit) {
  return forEachListedEntry(
      directory, [&](int descriptor, const dirent& entry) { visit(descriptor, entry.d_name); });
}

}  // namespace vorlane
