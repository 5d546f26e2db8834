#pragma once

#include <span>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/settings/ProfileFile.h"

// The captions of the main window that a language file can translate.
namespace vorlane {

struct CaptionRow {
  const char* control;         // the control's object name
  const char* key;             // the language file key; the DIP page's Apply shares "btnAplicar"
  const char* builtInCaption;  // UTF-8; used when the language's section lacks the key
};

// The rows in the order the captions are applied: the 31 of the window's own controls, then
// the name filter's caption and the three directory labels.
std::span<const CaptionRow> captionTable();

// The key as the window asks for it: padded with blanks to exactly 20 characters.
QByteArray paddedCaptionKey(const char* key);

// A language's captions, one per row of captionTable(), and its window texts, one per row of
// windowTextTable(), in table order.
struct LanguageTexts {
  QStringList captions;
  QStringList windowTexts;
};

// The named language (a section of the language file) from one read of the file; a row's
// built-in text when that section or its key is absent. An empty value gives an empty text.
LanguageTexts languageTexts(const ProfileFile& languageFile, const QByteArray& language);

// The caption as spoken: without the "&" that marks the Alt letter; "&&" stands for one "&".
QString withoutAccelerator(const QString& caption);

}  // namespace vorlane
