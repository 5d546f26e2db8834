#pragma once

#include <QByteArray>
#include <QString>

class QLineEdit;

namespace vorlane {

// An edit field whose text came from a file keeps the file's bytes, so a text the user did
// not change is written back exactly as it was read. What is stored is the field's first line.
void setFileText(QLineEdit* field, const QByteArray& bytes);
QByteArray fileText(const QLineEdit* field);

// A text the program made itself: the field forgets the file's bytes, so this text is never
// stored as them, even where it reads the same (a file's byte-order mark is not shown).
void setOwnText(QLineEdit* field, const QString& text);

}  // namespace vorlane
