#pragma once

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include <QByteArray>

#include <gtest/gtest.h>

// Files and folders made and read by their bytes, for names that are not UTF-8: Qt's own file
// classes would change such a name before the system sees it.
namespace vorlane::test {

inline void makeNativeDirectory(const QByteArray& path) {
  EXPECT_EQ(::mkdir(path.constData(), 0755), 0) << path.toStdString();
}

// A folder made by its bytes and removed with all it holds when the test ends: QTemporaryDir
// cannot remove names that are not UTF-8.
class NativeDirectory {
 public:
  explicit NativeDirectory(QByteArray path) : m_path(std::move(path)) {
    makeNativeDirectory(m_path);
  }
  ~NativeDirectory() {
    ::nftw(
        m_path.constData(),
        [](const char* entry, const struct stat*, int, FTW*) { return std::remove(entry); }, 16,
        FTW_DEPTH | FTW_PHYS);
  }
  NativeDirectory(const NativeDirectory&) = delete;
  NativeDirectory& operator=(const NativeDirectory&) = delete;

  const QByteArray& path() const { return m_path; }

 private:
  QByteArray m_path;
};

inline void writeNativeFile(const QByteArray& path, const QByteArray& bytes, mode_t mode = 0644) {
  const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  ASSERT_GE(file, 0) << path.toStdString();
  EXPECT_EQ(::write(file, bytes.constData(), bytes.size()), bytes.size());
  ::close(file);
}

// The file's bytes; a null array when it cannot be opened.
inline QByteArray readNativeFile(const QByteArray& path) {
  const int file = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
  if (file < 0) {
    return {};
  }
  QByteArray bytes(0, '\0');
  char buffer[4096];
  for (ssize_t got; (got = ::read(file, buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, got);
  }
  ::close(file);
  return bytes;
}

}  // namespace vorlane::test
