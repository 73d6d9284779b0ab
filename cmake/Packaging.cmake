# A Debian package of the program: `cpack -G DEB` in a release build (see
# scripts/package). Its dependencies come from the shared libraries the
# program links (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rivoedit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The RivoEdit developers")
set(CPACK_PACKAGE_CONTACT "The RivoEdit developers <rivoedit@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "editor for the settings and computer drivers of the racing game Kestra")
# One line of the description per line of the control file.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "RivoEdit edits the settings (config.ini) and the driving statistics of the"
  "22 computer drivers of an installed copy of the racing game Kestra, and"
  "copies the whole driver set to a file and back."
  "It finds the game in whichever Wine prefix holds it: ~/.wine, or the"
  "prefixes of Lutris, Bottles, PlayOnLinux, Heroic, Steam's Proton and"
  "CrossOver.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/rivoedit/RivoEdit")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# An editor for a game, not a game: games would have it ship one.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
