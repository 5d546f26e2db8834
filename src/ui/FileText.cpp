#include "ui/FileText.h"

#include <QLineEdit>
#include <QVariant>

#include "core/platform/TextCodec.h"

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
  return encodeText(field->text(), original.isValid() ? original.toByteArray() : QByteArray());
}

void setOwnText(QLineEdit* field, const QString& text) {
  field->setProperty(kOriginalBytes, QVariant());
  field->setText(text);
}

}  // namespace vorlane
