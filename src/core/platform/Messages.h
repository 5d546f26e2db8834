#pragma once

#include <QString>

// The fixed texts of every failure the user can see, in one place.
namespace vorlane::messages {

QString cannotOpenFile(const QString& path);
QString cannotCreateFile(const QString& path);
QString cannotOpenDirectory(const QString& path);
QString streamWriteError();
QString unableToWriteTo(const QString& path);
QString textExceedsMemoCapacity();
QString jpegError(int code);
QString fileAccessDenied();
// The base directory cannot be known or is too long to work in; `errorNumber` says why.
QString cannotUseCurrentDirectory(int errorNumber);

// The error box's text: the message, with a full stop when it is not empty and its last
// character's code is greater than that of ".".
QString errorBoxText(const QString& message);

}  // namespace vorlane::messages
