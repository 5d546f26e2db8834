#pragma once

#include <QByteArray>
#include <QString>

// A driver file's text as the editor holds it. Two forms of the same text appear here: the
// memo text, whose line breaks are CR LF pairs and whose offsets count a break as two
// characters (the form the file is saved in and sections are searched in), and the widget
// text, which holds a single "\n" per break as the text widget does.
namespace vorlane {

// The largest text the editor takes whole, in bytes with CR LF breaks.
inline constexpr qsizetype kMemoCapacity = 16 * 1024 * 1024;

// Every CR LF pair stays; every other CR and every other LF becomes CR LF. Nothing is added or
// removed at the end.
QByteArray withCrLfBreaks(const QByteArray& bytes);
QString withCrLfBreaks(const QString& text);

// The widget text for a driver file's bytes: breaks normalised, then decoded (UTF-8 when
// valid, Windows-1252 otherwise). Throws Error "Text exceeds memo capacity" for bytes the
// editor cannot hold whole (a NUL byte, or more than kMemoCapacity bytes once normalised),
// so that a later save can never write back part of the file.
QString widgetTextFromFile(const QByteArray& fileBytes);

// The bytes to save for the widget's text, with CR LF breaks: the loaded file's own bytes
// (breaks normalised) when the text is unchanged; otherwise the text in the file's encoding,
// Windows-1252 for a file read as such, else UTF-8 (behind the file's byte-order mark if it had
// one). Throws Error (the window text NotInWindows1252) for a Windows-1252 file whose text now
// holds a character that encoding cannot store.
QByteArray fileBytesToSave(const QByteArray& loadedBytes, const QString& widgetText);

// The memo text of a widget text, and back.
QString toMemoText(const QString& widgetText);
QString toWidgetText(const QString& memoText);

// The caret offset for a section: the memo offset just behind the "[" of the first
// occurrence of "[" + name + "]" (letter case respected), or 0 when there is none.
qsizetype sectionCaretOffset(const QString& memoText, const QString& sectionName);

// Where typing into a section begins: the memo offset of the start of the line below the first
// occurrence of the header, the end of the text when no line follows it, or 0 when the header
// does not occur.
qsizetype sectionBodyOffset(const QString& memoText, const QString& sectionName);

// Offsets between the two forms; an offset inside a CR LF pair maps to the break's start.
// The editor needs only toWidgetOffset; toMemoOffset is its inverse, kept for the tests and the
// fuzz target that check the mapping both ways.
qsizetype toWidgetOffset(const QString& memoText, qsizetype memoOffset);
qsizetype toMemoOffset(const QString& widgetText, qsizetype widgetOffset);

}  // namespace vorlane
