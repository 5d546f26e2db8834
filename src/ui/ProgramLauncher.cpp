#include "ui/ProgramLauncher.h"

#include <memory>
#include <optional>
#include <utility>

#include <QMessageBox>

#include "core/platform/ProgramStarter.h"
#include "ui/ErrorBox.h"

namespace vorlane {
namespace {

LaunchFailureRecorder& recorder() {
  static LaunchFailureRecorder instance;
  return instance;
}

void tellCannotStart(QWidget* owner, const QString& text) {
  if (recorder()) {
    recorder()(text);
    return;
  }
  const std::unique_ptr<QMessageBox> box(createMessageBox(QMessageBox::Warning, text, owner));
  box->exec();
}

}  // namespace

void launchProgram(QWidget* owner, const QString& program, const QStringList& arguments,
                   const QString& workingDirectory) {
  const std::optional<QString> failure = startProgram(program, arguments, workingDirectory);
  if (failure) {
    tellCannotStart(owner, *failure);
  }
}

void setLaunchFailureRecorder(LaunchFailureRecorder newRecorder) {
  recorder() = std::move(newRecorder);
}

}  // namespace vorlane
