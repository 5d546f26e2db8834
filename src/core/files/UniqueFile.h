#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QByteArrayView>

namespace vorlane {

// A file made new beside others under a name none of them has: a prefix and random letters and
// digits. Made with O_EXCL, so neither a file nor a link already there is ever opened.
struct UniqueFile {
  QByteArray path;
  int descriptor = -1;  // open for writing; -1 when no file could be made, errno saying why
};

// Tries names until one is free, giving up on a failure other than a name already taken.
UniqueFile createUniqueFile(const QByteArray& prefix, mode_t mode);

// Whether a bare name is the bare `prefix` and a suffix createUniqueFile could have given it.
bool isUniqueNameOf(QByteArrayView name, QByteArrayView prefix);

}  // namespace vorlane
