#pragma once

#include <QString>

// The fixed texts of the failures the core reports, in one place. Unlike the window texts they
// are not translated: a failure reads the same whatever language is applied, so a report of it
// can be matched to its cause. Paths are shown as displayPath shows them.
namespace vorlane::messages {

// When the system's reason is that no descriptor was left, the message says so.
QString cannotOpenFile(const QString& path, int errorNumber = 0);
QString cannotCreateFile(const QString& path);
QString streamWriteError();
QString unableToWriteTo(const QString& path);
QString textExceedsMemoCapacity();
QString jpegError(int code);
QString fileAccessDenied();
// The base directory cannot be known or is too long to work in; `errorNumber` says why.
QString cannotUseCurrentDirectory(int errorNumber);

}  // namespace vorlane::messages
