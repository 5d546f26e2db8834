#pragma once

#include <QByteArray>
#include <QString>

namespace vorlane {

// The whole file, read in one operation. Throws Error "Cannot open file %s" when the path is
// missing, unreadable or not a regular file.
QByteArray readWholeFile(const QString& path);

// Replaces (or creates) the file with the given bytes through a temporary file in the same
// directory, so a failure leaves the old file exactly as it was; permissions are kept.
// Throws Error "Cannot create file %s" when the file is read-only or cannot be created, and
// "Stream write error" when not every byte could be written.
void replaceFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace vorlane
