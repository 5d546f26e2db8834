#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Paths and program arguments as the system holds them: bytes, not necessarily UTF-8 (names
// unpacked from old archives are often Windows-1252). Qt's own conversion drops such bytes, so
// a path taken from the system could not be opened again. These two functions are the only way
// between the system's bytes and the program's path texts: every byte that is not part of valid
// UTF-8 is kept as a code unit of its own (U+DC80..U+DCFF, which no UTF-8 text decodes to), so
// encodeNative(decodeNative(bytes)) == bytes for any bytes.
namespace vorlane {

QString decodeNative(QByteArrayView bytes);
QByteArray encodeNative(QStringView text);

// A path (or a bare name) as the user sees it: each name of it read by the text codec, so a
// name that is not UTF-8 shows as Windows-1252 rather than as unreadable code units.
QString displayPath(const QString& path);

}  // namespace vorlane
