#pragma once

#include <functional>

#include <QString>

// Questions to the file system about paths, asked with the paths' own bytes (encodeNative), so
// names that are not UTF-8 are found like any other. Links are followed.
namespace vorlane {

bool pathExists(const QString& path);
// The same for a path already in the file system's bytes.
bool nativePathExists(const QByteArray& path);
bool isDirectory(const QString& path);
bool isRegularFile(const QString& path);

// Calls `visit` with the name of each regular file (or link to one) in `directory` as the
// listing is read, in the system's order; names that begin with "." are left out. Returns false,
// without a call, when the directory cannot be read or entered.
bool forEachRegularFile(const QString& directory, const std::function<void(QString name)>& visit);

// The same for every name, whatever it belongs to (broken links too).
bool forEachName(const QString& directory, const std::function<void(QString name)>& visit);

}  // namespace vorlane
