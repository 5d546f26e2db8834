#pragma once

#include <QString>

// Who the program is: its name for the system, its version as each place shows it.
namespace vorlane {

// The executable's and the settings directory's name.
inline constexpr char kProgramName[] = "vorlane";

// The application's title: the caption of its boxes and the heading of the About page.
inline constexpr char kApplicationTitle[] = "Vorlane - Tessik Frontend";

// The version as packages and --version give it: "0.4".
QString programVersion();

// The version in the window's style, the minor number in two digits: 0.4 gives "v0.04".
QString windowVersionText(int major, int minor);

// The main window's caption: "Vorlane Frontend v0.04".
QString mainWindowTitle();

}  // namespace vorlane
