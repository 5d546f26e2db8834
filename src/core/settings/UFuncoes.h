#pragma once

#include <QByteArray>
#include <QString>

// The flat configuration file: lines that begin in column 1 with a key and carry the value
// behind it (tessik.ini, and the driver files' own keys). Every call is one complete pass over
// the file; nothing is cached.
namespace vorlane {

// The value of the first line that begins with `key` (ASCII letters compared without case),
// trimmed of every character of code 32 or less at both ends; `defaultValue` when no line
// does. Nothing after the first NUL byte is seen. Throws Error "Cannot open file %s".
QByteArray LeValor(const QString& path, const QByteArray& key, const QByteArray& defaultValue);

// Replaces the first line that begins with the 13-column key field (the key padded with
// blanks) by that field and `value`, then rewrites the whole file atomically with CR LF after
// every line; the bytes from the first NUL on are kept unchanged behind the lines. Adds no
// line for a key the file lacks. Throws Error "Cannot open file %s", "Cannot create file %s"
// or "Stream write error"; on any failure the file keeps its former content.
void GravaValor(const QString& path, const QByteArray& key, const QByteArray& value);

// "yes" for true, "no" for false.
QByteArray BoolParaSimNao(bool flag);

// True exactly when the text, its ASCII letters lower-cased, is "yes"; strips nothing.
bool SimNaoParaBool(const QByteArray& text);

}  // namespace vorlane
