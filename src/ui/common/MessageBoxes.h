#pragma once

#include <functional>

#include <QMessageBox>
#include <QString>

class QWidget;

// Every box through which the program tells the user something, and the one place where window
// tests record them instead.
namespace vorlane {

enum class BoxKind {
  Error,    // a failure: the critical box of every handler and of start-up
  Warning,  // what a started program did: it could not start, or it ended at once
};

// A message box of the program: the application title as caption, `text` shown as plain text
// (a file name is never read as markup), the icon and one OK button.
QMessageBox* createMessageBox(QMessageBox::Icon icon, const QString& text,
                              QWidget* parent = nullptr);

// The error box's text: the message, with a full stop when it is not empty and its last
// character's code is greater than that of ".".
QString errorBoxText(const QString& message);

// The one box through which every failure reaches the user: the application title as caption,
// the message with the full-stop rule, the critical icon and one OK button.
QMessageBox* createErrorBox(const QString& message, QWidget* parent = nullptr);

// Keeps one descriptor aside from start-up (again after each box, when one is free), and lets it
// go just as a box comes up: when the program's descriptors have run out, a box still gets the
// one the display needs to show it.
void holdDescriptorForBoxes();

// Shows the error box modally over the active window.
void showErrorBox(const QString& message);

// A warning over `owner`, modal: the caller goes on once it is answered.
void showWarningBox(QWidget* owner, const QString& text);
// The same for news that comes in from the event loop, maybe while the user does something
// else: it returns at once and the box closes itself when answered.
void openWarningBox(QWidget* owner, const QString& text);

// Window tests record each box's kind and text here instead of answering it; an empty function
// restores the real boxes.
using MessageBoxRecorder = std::function<void(BoxKind kind, const QString& text)>;
void setMessageBoxRecorder(MessageBoxRecorder recorder);

}  // namespace vorlane
