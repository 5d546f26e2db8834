#include "core/start/StartOptions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QCommandLineParser>

#include "core/start/ProgramInfo.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

constexpr char kDescription[] =
    "Vorlane: a launcher for the Tessik arcade emulator.\n"
    "It works in the emulator's directory (the one that holds tessik.ini): by default the\n"
    "directory it is started in.";

// The options QGuiApplication and QApplication read themselves; the parser must not call them
// unknown. The first group takes a value.
constexpr const char* kQtValueOptions[] = {"platform",     "platformpluginpath", "platformtheme",
                                           "plugin",       "qwindowgeometry",    "qwindowicon",
                                           "qwindowtitle", "qmljsdebugger",      "session",
                                           "display",      "geometry",           "style",
                                           "stylesheet"};
constexpr const char* kQtFlagOptions[] = {"reverse", "widgetcount"};

QString programName() {
  return QString::fromLatin1(kProgramName);
}

EarlyExit usageError(const QString& problem) {
  return {kUsageErrorExitCode, QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                                   .arg(programName(), problem)};
}

void addQtOptions(QCommandLineParser& parser) {
  for (const char* name : kQtValueOptions) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : kQtFlagOptions) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

QString helpText(const QCommandLineParser& parser, bool withQtOptions) {
  // Without an application object the parser cannot know the program's name.
  QString text = parser.helpText();
  text.replace(QLatin1String("<executable_name>"), programName());
  if (withQtOptions) {
    text += QStringLiteral("\nQt's own options, read by Qt:\n");
    for (const char* name : kQtValueOptions) {
      text += QStringLiteral("  -%1 <value>\n").arg(QLatin1String(name));
    }
    for (const char* name : kQtFlagOptions) {
      text += QStringLiteral("  -%1\n").arg(QLatin1String(name));
    }
  }
  return text;
}

}  // namespace

std::variant<StartOptions, EarlyExit> parseStartOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's own options are single-dash words (-platform); so ours work with one dash or two.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QString::fromLatin1(kDescription));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption base(QStringLiteral("base"),
                                QStringLiteral("Use <directory> as the emulator's directory."),
                                QStringLiteral("directory"));
  const QCommandLineOption remembered(
      QStringLiteral("remembered-base"),
      QStringLiteral("Use the emulator's directory chosen before; ask for it when none was "
                     "chosen or it no longer holds tessik.ini. The menu entry starts Vorlane "
                     "this way."));
  const QCommandLineOption choose(
      QStringLiteral("choose-base"),
      QStringLiteral("Ask for the emulator's directory and remember the choice."));
  const QCommandLineOption noGamepad(
      QStringLiteral("no-gamepad"),
      QStringLiteral("Do not read game controllers or arcade sticks."));
  const QCommandLineOption fullScreen(
      QStringLiteral("fullscreen"),
      QStringLiteral("Start with the window in full screen, as an arcade cabinet wants it; F11 "
                     "leaves it."));
  parser.addOptions({base, remembered, choose, noGamepad, fullScreen});
  addQtOptions(parser);

  if (!parser.parse(arguments)) {
    return usageError(parser.errorText());
  }
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    return EarlyExit{0, helpText(parser, parser.isSet(QStringLiteral("help-all")))};
  }
  if (parser.isSet(version)) {
    return EarlyExit{0, QStringLiteral("%1 %2\n").arg(programName(), programVersion())};
  }
  if (!parser.positionalArguments().isEmpty()) {
    return usageError(
        QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().front()));
  }
  const int baseOptions =
      int(parser.isSet(base)) + int(parser.isSet(remembered)) + int(parser.isSet(choose));
  if (baseOptions > 1) {
    return usageError(
        QStringLiteral("--base, --remembered-base and --choose-base exclude each other."));
  }

  StartOptions options;
  options.gamepads = !parser.isSet(noGamepad);
  options.fullScreen = parser.isSet(fullScreen);
  if (parser.isSet(base)) {
    options.baseSource = BaseSource::Given;
    options.baseDirectory = parser.value(base);
    if (options.baseDirectory.isEmpty()) {
      return usageError(QStringLiteral("--base needs a directory."));
    }
  } else if (parser.isSet(remembered)) {
    options.baseSource = BaseSource::RememberedOrAsk;
  } else if (parser.isSet(choose)) {
    options.baseSource = BaseSource::Ask;
  }
  return options;
}

QStringList startArguments(int argc, const char* const* argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    arguments.append(decodeNative(argv[i]));
  }
  return arguments;
}

std::optional<QString> enterBaseDirectory(const QString& directory) {
  // Asked by the path's own bytes: Qt's conversion would look for another name when it is not
  // UTF-8, and call the directory missing.
  const QByteArray native = encodeNative(directory);
  const QString shown = displayPath(directory);
  const auto systemReason = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
  struct stat status {};
  QString problem;
  if (::stat(native.constData(), &status) != 0) {
    problem = errno == ENOENT
                  ? QStringLiteral("The directory %1 does not exist.").arg(shown)
                  : QStringLiteral("Cannot use the directory %1: %2.").arg(shown, systemReason());
  } else if (!S_ISDIR(status.st_mode)) {
    problem = QStringLiteral("%1 is not a directory.").arg(shown);
  } else if (::chdir(native.constData()) != 0) {
    problem = QStringLiteral("Cannot enter the directory %1: %2.").arg(shown, systemReason());
  } else {
    return std::nullopt;
  }
  return QStringLiteral("%1: %2\n").arg(programName(), problem);
}

}  // namespace vorlane
