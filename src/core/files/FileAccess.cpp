#include "core/files/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <utility>

#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/Paths.h"
#include "core/files/UniqueFile.h"
#include "core/files/WriteAll.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

constexpr qint64 kReadChunk = qint64(64) << 10;
// A read never waits: a FIFO put in a file's place would block the open until a writer came.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

// Not writable by this user, or marked writable for nobody: the superuser may write anywhere,
// but a file without any write permission is still one the user meant to keep as it is.
bool isReadOnly(const QByteArray& path, mode_t mode) {
  return ::access(path.constData(), W_OK) != 0 || (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// A write that would pass the file-size limit must fail like a full disk, not end the program.
void ignoreFileSizeSignal() {
  static const bool ignored = (std::signal(SIGXFSZ, SIG_IGN), true);
  Q_UNUSED(ignored);
}

// The file a rewrite replaces: a link's target, so the link itself stays a link.
QByteArray replacedFile(const QByteArray& path) {
  struct stat status {};
  if (::lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode)) {
    const std::unique_ptr<char, decltype(&std::free)> target(::realpath(path.constData(), nullptr),
                                                             &std::free);
    if (target) {
      return QByteArray(target.get());
    }
  }
  return path;
}

// A new, hidden file beside the target (so a scan never lists it), removed again unless it
// was renamed over the target.
class TemporaryFile {
 public:
  TemporaryFile(const QByteArray& target, mode_t mode) {
    const qsizetype nameStart = target.lastIndexOf('/') + 1;
    UniqueFile file =
        createUniqueFile(target.first(nameStart) + '.' + target.sliced(nameStart) + '.', mode);
    m_descriptor = file.descriptor;
    if (m_descriptor >= 0) {
      m_path = std::move(file.path);
    }
  }
  ~TemporaryFile() {
    if (m_descriptor >= 0) {
      ::close(m_descriptor);
    }
    if (!m_renamed && !m_path.isEmpty()) {
      ::unlink(m_path.constData());
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool isOpen() const { return m_descriptor >= 0; }

  bool write(const QByteArray& bytes) {
    return writeAll(m_descriptor, bytes.constData(), static_cast<std::size_t>(bytes.size())) == 0;
  }

  bool setMode(mode_t mode) { return ::fchmod(m_descriptor, mode) == 0; }

  // Some file systems report a full disk only when the data is synced or the file closed.
  bool syncAndClose() {
    const bool synced = ::fsync(m_descriptor) == 0;
    const bool closed = ::close(m_descriptor) == 0;
    m_descriptor = -1;
    return synced && closed;
  }

  bool renameTo(const QByteArray& target) {
    m_renamed = ::rename(m_path.constData(), target.constData()) == 0;
    return m_renamed;
  }

 private:
  QByteArray m_path;
  int m_descriptor = -1;
  bool m_renamed = false;
};

// The rename is durable once the directory itself is synced; failing that only costs
// durability across a crash, never the file, so it is not reported.
void syncDirectoryOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : path.first(std::max<qsizetype>(slash, 1));
  const int directory = ::open(folder.constData(), O_RDONLY | O_CLOEXEC);
  if (directory >= 0) {
    ::fsync(directory);
    ::close(directory);
  }
}

qint64 nanoseconds(const timespec& time) {
  return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

std::optional<FileStamp> regularFileStampOf(const struct stat& status) {
  if (!S_ISREG(status.st_mode)) {
    return std::nullopt;
  }
  return FileStamp{quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                   nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

}  // namespace

quint64 FileStamp::fingerprint() const {
  // Each part is folded in through a full-avalanche mix (SplitMix64's finaliser), so that
  // parts that change together (a write moves both times) cannot cancel each other out.
  const auto mix = [](quint64 x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9U;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebU;
    return x ^ (x >> 31);
  };
  quint64 print = 0x9e3779b97f4a7c15U;
  for (const quint64 part : {device, inode, quint64(size), quint64(modified), quint64(changed)}) {
    print = mix(print ^ part) + 0x9e3779b97f4a7c15U;
  }
  return print == 0 ? 1 : print;
}

std::optional<FileStamp> regularFileStamp(const QString& path) {
  struct stat status {};
  if (::stat(encodeNative(path).constData(), &status) != 0) {
    return std::nullopt;
  }
  return regularFileStampOf(status);
}

OpenDirectory::OpenDirectory(const QString& path)
    : m_path(path),
      // Only for looking up names, which needs no more permission than walking the path would.
      m_descriptor(::open(encodeNative(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

OpenDirectory::~OpenDirectory() {
  if (m_descriptor >= 0) {
    ::close(m_descriptor);
  }
}

bool OpenDirectory::holdsRegularFile(const QByteArray& relativePath) const {
  struct stat status {};
  return ::fstatat(m_descriptor, relativePath.constData(), &status, 0) == 0 &&
         S_ISREG(status.st_mode);
}

std::optional<FileStamp> OpenDirectory::regularFileStamp(const QByteArray& relativePath) const {
  struct stat status {};
  if (::fstatat(m_descriptor, relativePath.constData(), &status, 0) != 0) {
    return std::nullopt;
  }
  return regularFileStampOf(status);
}

RegularFile::RegularFile(const QString& path) : m_path(path) {
  takeDescriptor(::open(encodeNative(path).constData(), kReadFlags));
}

RegularFile::RegularFile(const OpenDirectory& directory, const QByteArray& name)
    : m_directory(&directory), m_name(name) {
  takeDescriptor(::openat(directory.m_descriptor, name.constData(), kReadFlags));
}

void RegularFile::takeDescriptor(int descriptor) {
  m_descriptor = descriptor;
  const int openError = descriptor < 0 ? errno : 0;
  struct stat status {};
  const std::optional<FileStamp> stamp = m_descriptor >= 0 && ::fstat(m_descriptor, &status) == 0
                                             ? regularFileStampOf(status)
                                             : std::nullopt;
  if (!stamp) {
    if (m_descriptor >= 0) {
      ::close(m_descriptor);
    }
    throw Error(messages::cannotOpenFile(path(), openError));
  }
  m_stamp = *stamp;
}

QString RegularFile::path() const {
  return m_directory != nullptr ? basePath(m_directory->path(), decodeNative(m_name)) : m_path;
}

RegularFile::~RegularFile() {
  ::close(m_descriptor);
}

QByteArray RegularFile::read(qint64 count) {
  QByteArray bytes;
  qsizetype filled = 0;
  while (filled < count) {
    // Grow towards the size seen at opening, but never trust it alone: files change, and some
    // (those of /proc) report no size at all.
    const qint64 wanted = std::min(count - filled, std::max(m_stamp.size - filled, kReadChunk));
    bytes.resize(filled + wanted);
    const ssize_t got = ::read(m_descriptor, bytes.data() + filled, static_cast<size_t>(wanted));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      throw Error(messages::cannotOpenFile(path()));
    }
    filled += got;
    if (got == 0) {
      break;
    }
  }
  bytes.resize(filled);
  return bytes;
}

QByteArray readWholeFile(const QString& path, qint64 limit) {
  RegularFile file(path);
  if (file.size() > limit) {
    throw Error(messages::cannotOpenFile(path));
  }
  QByteArray bytes = file.read(limit + 1);
  if (bytes.size() > limit) {
    throw Error(messages::cannotOpenFile(path));
  }
  return bytes;
}

bool isWindowsProgram(const QString& path) {
  try {
    return RegularFile(path).read(2) == QByteArrayLiteral("MZ");
  } catch (const Error&) {
    return false;
  }
}

void replaceFileAtomically(const QString& path, const QByteArray& bytes) {
  ignoreFileSizeSignal();
  const QByteArray target = replacedFile(encodeNative(path));
  struct stat status {};
  const bool exists = ::stat(target.constData(), &status) == 0;
  // A rename would replace a read-only file; the user asked for it to be left alone.
  if (exists && (!S_ISREG(status.st_mode) || isReadOnly(target, status.st_mode))) {
    throw Error(messages::cannotCreateFile(path));
  }
  // A new file gets the permissions the user's umask gives; a replaced one keeps its own.
  const mode_t mode = exists ? (status.st_mode & 07777) : 0666;
  TemporaryFile temporary(target, mode);
  if (!temporary.isOpen() || (exists && !temporary.setMode(mode))) {
    throw Error(messages::cannotCreateFile(path));
  }
  if (!temporary.write(bytes) || !temporary.syncAndClose()) {
    throw Error(messages::streamWriteError());
  }
  if (!temporary.renameTo(target)) {
    throw Error(messages::cannotCreateFile(path));
  }
  syncDirectoryOf(target);
}

}  // namespace vorlane
