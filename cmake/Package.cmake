# `make package`: a Debian package of what `cmake --install` installs (no tests, no benchmarks:
# install rules name only the program and its desktop files).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# One string: separate arguments would make a list, whose ";" would show in the description.
# Each line within 80 columns, as Debian's checker wants them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Vorlane lists the games of the Tessik emulator's driver files with their\n"
       "preview pictures, sets the emulator's options and starts it. It also edits\n"
       "the emulator's directories and game switches, runs its checksum tool and\n"
       "edits driver files. Its captions come in English, Portuguese and Spanish.")
set(CPACK_PACKAGE_CONTACT "The Vorlane developers <vorlane@vorlane.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian's section for emulators and what goes with them; "games" is for packages that install
# a game (Game and Emulator stay the desktop entry's categories).
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vorlane.org/")
# The libraries come from the binary (dpkg-shlibdeps). Beside them: Qt's platform plugins, only
# recommended by Qt's own package but needed to open a window, and the fonts the layouts use.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")

# What Debian wants beside every package's files: a machine-readable copyright file, and the
# changelog of a native package (its version has no Debian revision), compressed without a time
# stamp. The changelog's first entry is the package's version.
set(debian_changelog "${CMAKE_CURRENT_LIST_DIR}/debian/changelog")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${debian_changelog}")
execute_process(COMMAND gzip -9nc "${debian_changelog}"
                OUTPUT_FILE "${PROJECT_BINARY_DIR}/changelog.gz" COMMAND_ERROR_IS_FATAL ANY)
install(FILES "${CMAKE_CURRENT_LIST_DIR}/debian/copyright" "${PROJECT_BINARY_DIR}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/vorlane")

include(CPack)
