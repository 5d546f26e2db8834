#pragma once

#include <functional>

#include <QMessageBox>
#include <QString>

class QWidget;

namespace vorlane {

inline constexpr char kApplicationTitle[] = "Vorlane - Tessik Frontend";

// A message box of the program: the application title as caption, `text` shown as plain text
// (a file name is never read as markup), the icon and one OK button.
QMessageBox* createMessageBox(QMessageBox::Icon icon, const QString& text,
                              QWidget* parent = nullptr);

// The one box through which every failure reaches the user: the application title as caption,
// the message with the full-stop rule, the critical icon and one OK button.
QMessageBox* createErrorBox(const QString& message, QWidget* parent = nullptr);

// Shows the box modally over the active window.
void showErrorBox(const QString& message);

// Window tests record the box's text here instead of answering a modal box each time;
// an empty function restores the real box.
using ErrorBoxRecorder = std::function<void(const QString& text)>;
void setErrorBoxRecorder(ErrorBoxRecorder recorder);

}  // namespace vorlane
