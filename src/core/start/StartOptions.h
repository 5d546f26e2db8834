#pragma once

#include <optional>
#include <variant>

#include <QString>
#include <QStringList>

namespace vorlane {

// Where the base directory of this run comes from.
enum class BaseSource {
  CurrentDirectory,  // no option: the directory the program starts in
  Given,             // --base DIR
  RememberedOrAsk,   // --remembered-base: the menu entry's start
  Ask,               // --choose-base: the menu entry's "choose" action
};

struct StartOptions {
  BaseSource baseSource = BaseSource::CurrentDirectory;
  QString baseDirectory;    // with BaseSource::Given, as typed
  bool gamepads = true;     // false with --no-gamepad
  bool fullScreen = false;  // true with --fullscreen
};

// The program ends before any window opens: help and version go to standard output with code 0,
// a usage error to standard error with kUsageErrorExitCode.
struct EarlyExit {
  int exitCode = 0;
  QString text;
};

inline constexpr int kUsageErrorExitCode = 2;

// Reads the arguments, the program's own name first. Qt's own options (-platform, -style, ...)
// are accepted and left for the application object to read.
std::variant<StartOptions, EarlyExit> parseStartOptions(const QStringList& arguments);

// The command line as the program received it, each argument as path text (decodeNative), so a
// directory whose name is not UTF-8 keeps its bytes.
QStringList startArguments(int argc, const char* const* argv);

// Makes `directory` the process's current directory, or says on one line why it cannot.
std::optional<QString> enterBaseDirectory(const QString& directory);

}  // namespace vorlane
