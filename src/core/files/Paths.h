#pragma once

#include <QString>

namespace vorlane {

// The process's current directory, as the base directory of the whole run.
QString currentDirectory();

// dirBase + "/" + name. No separator is added or removed beyond that one, so at the root the
// result starts with "//", which POSIX accepts.
QString basePath(const QString& dirBase, const QString& name);

// A directory text from a settings file (written on Windows or Linux) as a path:
// "\" is read as "/"; "." is dirBase; "./rest" is dirBase + "/rest"; any other relative text is
// dirBase + "/" + text; an absolute text is kept; an empty text stays empty. A text that begins
// with a drive letter ("C:\roms") names that drive of wine's prefix ($WINEPREFIX, else ~/.wine)
// when the prefix has a link for the drive in its dosdevices folder; otherwise it is relative
// like any other. Never looks at the process's current directory.
QString resolveDirectoryText(const QString& dirBase, const QString& text);

}  // namespace vorlane
