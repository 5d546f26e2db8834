#include "core/process/OutputLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "core/files/FileSystem.h"
#include "core/files/UniqueFile.h"
#include "core/process/LogLines.h"
#include "core/process/ProcessMessages.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

// A log under a name of its own is the log's name, this infix and random characters: a name
// that no user gives a file of theirs, and that says whose it is.
constexpr char kAsideInfix[] = ".vorlane-aside-";

// Whether the entry is this user's regular file and begins with the line a started program's
// log begins with: only then did a run of this program write it.
bool holdsOurLog(int folder, const char* name) {
  const int descriptor = ::openat(folder, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (descriptor < 0) {
    return false;
  }
  const QByteArray expected = messages::kLogHeaderWord + QByteArray(1, '"');
  QByteArray start(expected.size(), '\0');
  struct stat status {};
  const bool ours =
      ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
      status.st_uid == ::geteuid() &&
      ::read(descriptor, start.data(), static_cast<size_t>(start.size())) == start.size() &&
      start == expected;
  ::close(descriptor);
  return ours;
}

// The logs that earlier runs could not give their name to: this run's log replaces them as it
// would have replaced the file of that name. Only files this program made are touched.
void removeLogsLeftAside(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : path.left(slash + 1);
  const QByteArray asidePrefix = path.mid(slash + 1) + kAsideInfix;
  forEachEntry(decodeNative(folder), [&](int directory, const char* name) {
    if (isUniqueNameOf(name, asidePrefix) && holdsOurLog(directory, name)) {
      ::unlinkat(directory, name, 0);
    }
  });
}

}  // namespace

std::unique_ptr<OutputLog> OutputLog::create(const QString& path) {
  const QByteArray finalName = encodeNative(path);
  removeLogsLeftAside(finalName);
  // 0666: the umask takes away what the user does not want others to have.
  const UniqueFile file = createUniqueFile(finalName + kAsideInfix, 0666);
  if (file.descriptor < 0) {
    return nullptr;
  }
  return std::unique_ptr<OutputLog>(new OutputLog(path, decodeNative(file.path), file.descriptor));
}

OutputLog::OutputLog(QString finalPath, QString path, int descriptor)
    : m_finalPath(std::move(finalPath)), m_path(std::move(path)), m_descriptor(descriptor) {}

OutputLog::~OutputLog() {
  if (!m_kept) {
    ::unlink(encodeNative(m_path).constData());
  }
  ::close(m_descriptor);
}

std::optional<QString> OutputLog::keep(const QString& previousPath) {
  m_kept = true;
  const QByteArray finalName = encodeNative(m_finalPath);
  struct stat status {};
  // A folder in the log's place is the user's, and is never moved.
  const bool olderLog = ::lstat(finalName.constData(), &status) == 0 && !S_ISDIR(status.st_mode);
  if (!previousPath.isEmpty() && olderLog &&
      ::rename(finalName.constData(), encodeNative(previousPath).constData()) != 0) {
    const int error = errno;
    return messages::previousLogInTheWay(m_path, previousPath, error);
  }
  if (::rename(encodeNative(m_path).constData(), finalName.constData()) != 0) {
    const int error = errno;
    return messages::logKeptAside(m_path, m_finalPath, error);
  }
  m_path = m_finalPath;
  return std::nullopt;
}

}  // namespace vorlane
