#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/gamepad/MappingFile.h"
#include "support/FifoWatch.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

TEST(MappingFile, OnlyASmallRegularFileIsReadAndAFifoIsNeverWaitedOn) {
  constexpr qint64 kLimit = 64;
  const QByteArray fits(kLimit, 'm');
  TempBase base;
  const QString fifo = base.filePath(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
  const struct {
    QString path;
    const char* refusal;  // the end of the line that says why; null when the file is read
  } cases[] = {
      {base.write(QStringLiteral("fits"), fits), nullptr},
      {base.write(QStringLiteral("empty"), ""), nullptr},
      {base.write(QStringLiteral("large"), fits + 'm'), "it holds more than 64 bytes."},
      {fifo, "it is not a readable regular file."},
      {base.makeDir(QStringLiteral("folder")), "it is not a readable regular file."},
      {base.filePath(QStringLiteral("missing")), "it is not a readable regular file."},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.path.toStdString());
    const FifoWatch watch(QFile::encodeName(fifo), kPipeDeadline);
    const auto read = readMappingFile(example.path, kLimit);
    if (example.refusal == nullptr) {
      ASSERT_TRUE(std::holds_alternative<QByteArray>(read));
      EXPECT_EQ(std::get<QByteArray>(read), base.read(QFileInfo(example.path).fileName()));
    } else {
      ASSERT_TRUE(std::holds_alternative<QString>(read));
      EXPECT_EQ(std::get<QString>(read),
                QStringLiteral("vorlane: the game controller mappings in %1 are not read: %2")
                    .arg(example.path, QString::fromLatin1(example.refusal)));
    }
  }
}

}  // namespace
}  // namespace vorlane::test
