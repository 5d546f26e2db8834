#include "ui/ErrorBox.h"

#include <utility>

#include <QApplication>
#include <QMessageBox>

#include "core/platform/Messages.h"

namespace vorlane {
namespace {

ErrorBoxRecorder& recorder() {
  static ErrorBoxRecorder instance;
  return instance;
}

}  // namespace

QMessageBox* createMessageBox(QMessageBox::Icon icon, const QString& text, QWidget* parent) {
  auto* box =
      new QMessageBox(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  return box;
}

QMessageBox* createErrorBox(const QString& message, QWidget* parent) {
  QMessageBox* box =
      createMessageBox(QMessageBox::Critical, messages::errorBoxText(message), parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  return box;
}

void showErrorBox(const QString& message) {
  if (recorder()) {
    recorder()(messages::errorBoxText(message));
    return;
  }
  QMessageBox* box = createErrorBox(message, QApplication::activeWindow());
  box->setWindowModality(Qt::ApplicationModal);
  box->exec();
}

void setErrorBoxRecorder(ErrorBoxRecorder newRecorder) {
  recorder() = std::move(newRecorder);
}

}  // namespace vorlane
