#pragma once

#include <functional>

#include <QFile>
#include <QString>

#include "core/errors/Error.h"

namespace vorlane::test {

// The message of the Error that `action` throws, or "<no error>" when it throws none.
inline QString errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.message();
  }
  return QStringLiteral("<no error>");
}

// The permission bits of a file itself: owner, group and other, without Qt's bits that
// describe the running user.
inline constexpr QFile::Permissions kOwnerGroupOther = QFile::Permissions::fromInt(0x7077);

}  // namespace vorlane::test
