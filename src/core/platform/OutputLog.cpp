#include "core/platform/OutputLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>

#include "core/platform/NativeText.h"

namespace vorlane {
namespace {

// Reads up to `count` bytes at `offset`; fewer when the file ends sooner or a read fails.
QByteArray readAt(int descriptor, qint64 offset, qint64 count) {
  QByteArray bytes(count, Qt::Uninitialized);
  qint64 got = 0;
  while (got < count) {
    const ssize_t part = ::pread(descriptor, bytes.data() + got, static_cast<size_t>(count - got),
                                 static_cast<off_t>(offset + got));
    if (part < 0 && errno == EINTR) {
      continue;
    }
    if (part <= 0) {
      break;
    }
    got += part;
  }
  bytes.truncate(got);
  return bytes;
}

}  // namespace

std::unique_ptr<OutputLog> OutputLog::create(const QString& path) {
  QByteArray name = encodeNative(path) + QByteArrayLiteral(".XXXXXX");
  // Appending keeps a program that opens its own output again from writing over what it wrote.
  const int descriptor = ::mkostemp(name.data(), O_APPEND | O_CLOEXEC);
  if (descriptor < 0) {
    return nullptr;
  }
  return std::unique_ptr<OutputLog>(new OutputLog(path, decodeNative(name), descriptor));
}

OutputLog::OutputLog(QString finalPath, QString path, int descriptor)
    : m_finalPath(std::move(finalPath)), m_path(std::move(path)), m_descriptor(descriptor) {}

OutputLog::~OutputLog() {
  if (!m_kept) {
    ::unlink(encodeNative(m_path).constData());
  }
  ::close(m_descriptor);
}

void OutputLog::keep(const QString& previousPath) {
  m_kept = true;
  const QByteArray finalName = encodeNative(m_finalPath);
  if (!previousPath.isEmpty()) {
    ::rename(finalName.constData(), encodeNative(previousPath).constData());
  }
  if (::rename(encodeNative(m_path).constData(), finalName.constData()) == 0) {
    m_path = m_finalPath;
  }
}

qint64 OutputLog::size() const {
  struct stat status {};
  return ::fstat(m_descriptor, &status) == 0 ? static_cast<qint64>(status.st_size) : 0;
}

QByteArray OutputLog::readNew(qint64 limit) {
  const qint64 available = size() - m_readOffset;
  if (available <= 0) {
    return {};
  }
  const QByteArray bytes = readAt(m_descriptor, m_readOffset, std::min(available, limit));
  m_readOffset += bytes.size();
  return bytes;
}

QByteArray OutputLog::tail(qint64 count) const {
  const qint64 end = size();
  const qint64 start = std::max<qint64>(0, end - count);
  return readAt(m_descriptor, start, end - start);
}

}  // namespace vorlane
