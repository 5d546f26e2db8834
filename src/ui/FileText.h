#pragma once

#include <QByteArray>

class QLineEdit;

namespace vorlane {

// An edit field whose text came from a file keeps the file's bytes, so a text the user did
// not change is written back exactly as it was read.
void setFileText(QLineEdit* field, const QByteArray& bytes);
QByteArray fileText(const QLineEdit* field);

}  // namespace vorlane
