#pragma once

#include <QString>

namespace vorlane {

// The emulator and the checksum tool, both under the base directory.
QString emulatorProgram(const QString& dirBase);
QString checksumProgram(const QString& dirBase);

// The emulator's parameter text: the option text, one blank, the driver's bare file name.
QString playParameterText(const QString& optionText, const QString& fileName);

// The game's ROM archive name: the driver file's "DIRECTORY" value, or the file name (with its
// extension) when the key is absent. Throws Error "Cannot open file %s" when the driver file
// cannot be read.
QString archiveName(const QString& driverPath, const QString& fileName);

// The checksum tool's parameter text: the ROM directory, the archive name and ".zip". One "/"
// goes between a non-empty directory and the name unless the directory already ends in a
// separator, so the archive lies inside the directory.
QString checksumParameterText(const QString& romDirectory, const QString& archive);

// The whole checksum parameter text from the ROM directory field's text as shown and the
// selected driver file. Throws like archiveName.
QString checksumParameterTextFor(const QString& dirBase, const QString& romDirText,
                                 const QString& driverPath, const QString& fileName);

}  // namespace vorlane
