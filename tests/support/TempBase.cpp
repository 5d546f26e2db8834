#include "support/TempBase.h"

#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vorlane::test {

TempBase::TempBase() {
  EXPECT_TRUE(m_dir.isValid());
}

QString TempBase::filePath(const QString& name) const {
  return m_dir.filePath(name);
}

QString TempBase::write(const QString& name, const QByteArray& content) const {
  const QString full = filePath(name);
  QDir().mkpath(QFileInfo(full).absolutePath());
  QFile file(full);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << full.toStdString();
  EXPECT_EQ(file.write(content), content.size());
  return full;
}

QByteArray TempBase::read(const QString& name) const {
  QFile file(filePath(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  return file.readAll();
}

QString TempBase::makeDir(const QString& name) const {
  const QString full = filePath(name);
  EXPECT_TRUE(QDir().mkpath(full));
  return full;
}

QString TempBase::writeEmulatorConfig(const EmulatorFolders& folders,
                                      const QByteArray& moreLines) const {
  QByteArray lines;
  for (const auto& [key, folder] :
       {std::pair{"Romdir", folders.romDir}, std::pair{"Logdir", folders.logDir},
        std::pair{"Drvdir", folders.drvDir}}) {
    if (!folder.isNull()) {
      lines += QByteArray(key).leftJustified(13) + folder + "\r\n";
    }
  }
  return write(QStringLiteral("tessik.ini"), lines + moreLines);
}

QByteArray driverText(const QByteArray& gameName, const QByteArray& moreLines) {
  return "GAMENAME     " + gameName + "\r\n" + moreLines;
}

QByteArray contentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace vorlane::test
