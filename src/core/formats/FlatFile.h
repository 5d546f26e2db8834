#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "core/files/FileAccess.h"

// The flat configuration file: lines that begin in column 1 with a key and carry the value
// behind it (tessik.ini, and the driver files' own keys). Every call reads the file afresh;
// nothing is cached.
namespace vorlane {

// How much readFoundFlatValues reads first. A driver's game name stands in its first lines, so one
// block usually answers; larger ones follow only while the key has not been found.
inline constexpr qint64 kFlatFileFirstBlock = 4 << 10;

// Entry k is the value of the first line that begins with keys[k] (ASCII letters compared
// without case), trimmed of every character of code 32 or less at both ends; empty when no line
// does. Nothing after the first NUL byte is seen. The file is read once, and only as far as the
// last key found needs. Throws Error "Cannot open file %s", also for a file over the size cap of
// whole-file reads (kTextFileLimit).
QList<std::optional<QByteArray>> readFoundFlatValues(const QString& path,
                                                     const QList<QByteArray>& keys);
// The same from a file already open.
QList<std::optional<QByteArray>> readFoundFlatValues(RegularFile& file,
                                                     const QList<QByteArray>& keys);

// The text that readFoundFlatValues searches: the whole file up to its first NUL byte, for
// reading several keys from one read. Throws Error "Cannot open file %s" as it does.
QByteArray readFlatText(const QString& path);

// What readFoundFlatValues gives for the key in a file whose searched text is `text`, or
// `defaultValue` when no line holds it.
QByteArray flatValue(QByteArrayView text, const QByteArray& key, const QByteArray& defaultValue);

// Replaces the first line that begins with the 13-column key field (the key padded with
// blanks) by that field and `value`, then rewrites the whole file atomically with CR LF after
// every line; the bytes from the first NUL on are kept unchanged behind the lines. Adds no
// line for a key the file lacks. Throws Error "Cannot open file %s", "Cannot create file %s"
// or "Stream write error"; on any failure the file keeps its former content.
void writeFlatValue(const QString& path, const QByteArray& key, const QByteArray& value);

// "yes" for true, "no" for false.
QByteArray yesNoText(bool flag);

// True exactly when the text, its ASCII letters lower-cased, is "yes"; strips nothing.
bool isYes(const QByteArray& text);

}  // namespace vorlane
