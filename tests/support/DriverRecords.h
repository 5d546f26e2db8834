#pragma once

#include <initializer_list>

#include <QList>
#include <QString>

#include "core/catalogue/DriverScan.h"
#include "core/text/NativeText.h"

namespace vorlane::test {

// Records in a short form: "file=name", "file=name!" for a game whose archive
// ("/roms/" file ".zip") is missing, or "file" alone for a game named like its file; "file@7"
// gives the file the identity 7.
inline QList<DriverRecord> records(std::initializer_list<const char*> entries) {
  QList<DriverRecord> list;
  for (const char* entry : entries) {
    const QString text = QString::fromUtf8(entry);
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    DriverRecord record;
    const QStringList fileAndIdentity = text.left(equals).split(QLatin1Char('@'));
    record.file = fileAndIdentity.front();
    record.identity = fileAndIdentity.value(1).toULongLong();
    QString name = equals < 0 ? record.file : text.mid(equals + 1);
    if (name.endsWith(QLatin1Char('!'))) {
      name.chop(1);
      record.archive = encodeNative(record.file + QStringLiteral(".zip"));
      record.archiveMissing = true;
    }
    record.gameName = name.toUtf8();
    list.append(record);
  }
  return list;
}

// The archive file the scan marked missing, or nothing when it marked none.
inline QByteArray missingArchiveOf(const DriverRecord& record) {
  return record.archiveMissing ? record.archive : QByteArray();
}

}  // namespace vorlane::test
