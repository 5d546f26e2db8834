#pragma once

#include <QString>

// What the user is told about a folder or a program of the configuration that cannot serve, in
// the language applied last; an empty text when it can.
namespace vorlane {

// A directory field's text, resolved as the field's folder is, that names no folder. An empty
// text names none and is no problem: the program then does without that folder.
QString folderProblem(const QString& dirBase, const QString& directoryText);

// A program Play or Checksum would start that is not there, or that the starter would refuse:
// it runs a regular file that may be executed, or a Windows program (through wine, whatever the
// file's mode).
QString programProblem(const QString& program);

}  // namespace vorlane
