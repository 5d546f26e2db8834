#pragma once

#include <variant>

#include <QByteArray>
#include <QString>

namespace vorlane {

// A file of pad mappings a user writes is a few kilobytes, and even a full public collection
// stays far below this. Above it the pad library's loading, which grows with the square of the
// count, would hold the window up for minutes.
inline constexpr qint64 kMappingFileLimit = qint64(1) << 20;

// The user's pad mappings file: its bytes, or one line saying why it is not read (it is missing,
// unreadable, not a regular file, or larger than `limit`). A FIFO is never waited on.
std::variant<QByteArray, QString> readMappingFile(const QString& path,
                                                  qint64 limit = kMappingFileLimit);

}  // namespace vorlane
