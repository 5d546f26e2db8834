#pragma once

#include <QString>
#include <QStringList>

namespace vorlane {

// The emulator and the checksum tool, both under the base directory.
QString emulatorProgram(const QString& dirBase);
QString checksumProgram(const QString& dirBase);

// The emulator's arguments: the option text split as a Windows command line is, then the
// driver's bare file name as one argument of its own (double quotes dropped, as that split
// would drop them), whatever blanks it holds.
QStringList playArguments(const QString& optionText, const QString& fileName);

// The checksum tool's one argument, the archive path (double quotes dropped), from the ROM
// directory field's text as shown and the selected driver file (the archive rule is
// RomArchive's). Throws like archiveName.
QStringList checksumArguments(const QString& dirBase, const QString& romDirText,
                              const QString& driverPath, const QString& fileName);

}  // namespace vorlane
