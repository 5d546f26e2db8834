#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace vorlane::bench {

// Copies every file below `from` (hidden ones too) to the same place below `to`.
inline void copyTree(const QString& from, const QString& to) {
  QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString source = files.next();
    const QString target = to + source.mid(from.size());
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::copy(source, target);
  }
}

}  // namespace vorlane::bench
