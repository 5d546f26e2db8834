#include "ui/common/MessageBoxes.h"

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <utility>

#include <QApplication>
#include <QMessageBox>

#include "core/start/ProgramInfo.h"

namespace vorlane {
namespace {

MessageBoxRecorder& recorder() {
  static MessageBoxRecorder instance;
  return instance;
}

int g_spareDescriptor = -1;

void letSpareDescriptorGo() {
  if (g_spareDescriptor >= 0) {
    ::close(g_spareDescriptor);
    g_spareDescriptor = -1;
  }
}

// The spare descriptor is free while a box comes up, and held again once it has.
class SpareDescriptorFree {
 public:
  SpareDescriptorFree() { letSpareDescriptorGo(); }
  ~SpareDescriptorFree() { holdDescriptorForBoxes(); }
  SpareDescriptorFree(const SpareDescriptorFree&) = delete;
  SpareDescriptorFree& operator=(const SpareDescriptorFree&) = delete;
};

bool recorded(BoxKind kind, const QString& text) {
  if (recorder()) {
    recorder()(kind, text);
    return true;
  }
  return false;
}

}  // namespace

QMessageBox* createMessageBox(QMessageBox::Icon icon, const QString& text, QWidget* parent) {
  auto* box =
      new QMessageBox(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  return box;
}

QString errorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
    return message + QLatin1Char('.');
  }
  return message;
}

QMessageBox* createErrorBox(const QString& message, QWidget* parent) {
  QMessageBox* box = createMessageBox(QMessageBox::Critical, errorBoxText(message), parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  return box;
}

void holdDescriptorForBoxes() {
  if (g_spareDescriptor < 0) {
    g_spareDescriptor = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  }
}

void showErrorBox(const QString& message) {
  const SpareDescriptorFree spare;
  if (recorded(BoxKind::Error, errorBoxText(message))) {
    return;
  }
  QMessageBox* box = createErrorBox(message, QApplication::activeWindow());
  box->setWindowModality(Qt::ApplicationModal);
  box->exec();
}

void showWarningBox(QWidget* owner, const QString& text) {
  const SpareDescriptorFree spare;
  if (recorded(BoxKind::Warning, text)) {
    return;
  }
  const std::unique_ptr<QMessageBox> box(createMessageBox(QMessageBox::Warning, text, owner));
  box->exec();
}

void openWarningBox(QWidget* owner, const QString& text) {
  const SpareDescriptorFree spare;
  if (recorded(BoxKind::Warning, text)) {
    return;
  }
  QMessageBox* box = createMessageBox(QMessageBox::Warning, text, owner);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void setMessageBoxRecorder(MessageBoxRecorder newRecorder) {
  recorder() = std::move(newRecorder);
}

}  // namespace vorlane
