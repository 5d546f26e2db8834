#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

namespace vorlane {

// Starts `program` with the arguments in `workingDirectory`, and returns without waiting. When
// the program cannot be started the user is told in one warning box over `owner`, as the system
// shell would tell them; the caller learns nothing and goes on.
void launchProgram(QWidget* owner, const QString& program, const QStringList& arguments,
                   const QString& workingDirectory);

// Window tests record the warning's text here instead of answering a modal box; an empty
// function restores the real box.
using LaunchFailureRecorder = std::function<void(const QString& text)>;
void setLaunchFailureRecorder(LaunchFailureRecorder recorder);

}  // namespace vorlane
