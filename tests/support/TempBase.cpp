#include "support/TempBase.h"

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

}  // namespace vorlane::test
