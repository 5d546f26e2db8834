#pragma once

#include <QByteArray>
#include <QString>

namespace vorlane {

// Bytes from a file as text: valid UTF-8 is read as UTF-8, anything else as Windows-1252,
// so files written on either system show correctly.
QString decodeText(const QByteArray& bytes);

// The bytes to store for a text that was shown from `original`: the original bytes when the
// text is unchanged, otherwise UTF-8.
QByteArray encodeText(const QString& text, const QByteArray& original = QByteArray());

}  // namespace vorlane
