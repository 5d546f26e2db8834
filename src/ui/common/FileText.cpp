#include "ui/common/FileText.h"

#include <algorithm>

#include <QLineEdit>
#include <QVariant>

#include "core/text/TextCodec.h"

namespace vorlane {
namespace {

constexpr char kOriginalBytes[] = "vorlaneOriginalBytes";

}  // namespace

void setFileText(QLineEdit* field, const QByteArray& bytes) {
  field->setProperty(kOriginalBytes, bytes);
  field->setText(decodeText(bytes));
}

QByteArray fileText(const QLineEdit* field) {
  const QVariant original = field->property(kOriginalBytes);
  const QByteArray bytes =
      encodeText(field->text(), original.isValid() ? original.toByteArray() : QByteArray());
  // A one-line field stores one line, as a pasted text can hold more: a line break would add
  // lines to the file at every Apply, and a NUL would hide every line after it from reading.
  const auto end = std::find_if(bytes.begin(), bytes.end(),
                                [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
  return bytes.first(end - bytes.begin());
}

void setOwnText(QLineEdit* field, const QString& text) {
  field->setProperty(kOriginalBytes, QVariant());
  field->setText(text);
}

}  // namespace vorlane
