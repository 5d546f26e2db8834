#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace vorlane {

// Bytes from a file as text: valid UTF-8 is read as UTF-8, anything else as Windows-1252,
// so files written on either system show correctly.
QString decodeText(const QByteArray& bytes);
// The same, decoded into `buffer`, whose storage is reused: decoding many texts in a row
// allocates only for one longer than those before. The text lives as long as the buffer is
// left alone.
QStringView decodeText(const QByteArray& bytes, QString& buffer);

// True when every byte is below 0x80: such bytes read alike in UTF-8, Windows-1252 and Latin-1.
bool isAscii(QByteArrayView bytes);

// True when decodeText reads the bytes as UTF-8, false when it reads them as Windows-1252.
bool isUtf8Text(const QByteArray& bytes);

// The bytes to store for a text that was shown from `original`: the original bytes when the
// text is unchanged, otherwise UTF-8.
QByteArray encodeText(const QString& text, const QByteArray& original = QByteArray());

// The position of the first character that Windows-1252 has no code for, or -1 when it can
// store the whole text.
qsizetype firstOutsideWindows1252(QStringView text);
// The text as Windows-1252 (the reverse of decodeText for such bytes); a character it has no
// code for, which callers check for first, becomes "?".
QByteArray encodeWindows1252(QStringView text);

}  // namespace vorlane
