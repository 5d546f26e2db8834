# `make package`: a Debian package of what `cmake --install` installs (no tests, no benchmarks:
# install rules name only the program and its desktop files).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# One string: separate arguments would make a list, whose ";" would show in the description.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Vorlane lists the games of the Tessik emulator's driver files with their preview\n"
       "pictures, sets the emulator's options and starts it. It also edits the emulator's\n"
       "directories and game switches, runs its checksum tool and edits driver files. Its\n"
       "captions come in English, Portuguese and Spanish.")
set(CPACK_PACKAGE_CONTACT "The Vorlane developers <vorlane@vorlane.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vorlane.org/")
# The libraries come from the binary (dpkg-shlibdeps). Beside them: Qt's platform plugins, only
# recommended by Qt's own package but needed to open a window, and the fonts the layouts use.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")

include(CPack)
