#include "core/files/UniqueFile.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include <QRandomGenerator>

namespace vorlane {
namespace {

constexpr char kNameCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kUniqueLength = 6;
constexpr int kNameTries = 100;

QByteArray randomSuffix() {
  QByteArray suffix(kUniqueLength, Qt::Uninitialized);
  for (char& character : suffix) {
    character = kNameCharacters[QRandomGenerator::global()->bounded(
        static_cast<int>(sizeof kNameCharacters) - 1)];
  }
  return suffix;
}

}  // namespace

UniqueFile createUniqueFile(const QByteArray& prefix, mode_t mode) {
  UniqueFile file;
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    file.path = prefix + randomSuffix();
    file.descriptor = ::open(file.path.constData(),
                             O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, mode);
    if (file.descriptor >= 0 || errno != EEXIST) {
      break;
    }
  }
  return file;
}

bool isUniqueNameOf(QByteArrayView name, QByteArrayView prefix) {
  if (name.size() != prefix.size() + kUniqueLength || !name.startsWith(prefix)) {
    return false;
  }
  for (const char character : name.sliced(prefix.size())) {
    if (character == '\0' || std::strchr(kNameCharacters, character) == nullptr) {
      return false;
    }
  }
  return true;
}

}  // namespace vorlane
