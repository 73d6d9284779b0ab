# The Windows program as Windows users get it (see scripts/package --windows):
# a zip to unpack anywhere and an NSIS installer, both with the program, the
# README and the licences: RivoEdit's own, and those of the Qt linked into it
# and of the libraries Qt bundles (kept beside the Qt by scripts/qt-windows).
# A README for Windows users, in Windows' line ends.
configure_file(${PROJECT_SOURCE_DIR}/windows/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE WIN32)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
if(EXISTS ${RIVO_QT_WINDOWS}/licenses/README.txt)
  install(DIRECTORY ${RIVO_QT_WINDOWS}/licenses/ DESTINATION licenses/qt)
else()
  message(WARNING "No licence notices beside the Qt in ${RIVO_QT_WINDOWS}: "
                  "run scripts/qt-windows before packaging")
endif()

set(CPACK_GENERATOR "ZIP;NSIS64")
set(CPACK_PACKAGE_NAME RivoEdit)
set(CPACK_PACKAGE_VENDOR "${RIVO_VENDOR}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${RIVO_HOMEPAGE}")
set(CPACK_PACKAGE_FILE_NAME RivoEdit-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY RivoEdit)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY RivoEdit)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

# The installer's script is our own (windows/NSIS.template.in): one
# Start-menu shortcut, the uninstall entry as Windows documents it, version
# information in setup.exe and pictures made from the program's icon.
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/windows)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME RivoEdit)
set(CPACK_NSIS_PACKAGE_NAME RivoEdit)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/app/windows/rivoedit.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/app/windows/rivoedit.ico)
# The program, which carries the icon of the shortcut and of the entry in
# Windows' list of installed programs.
set(CPACK_NSIS_INSTALLED_ICON_NAME rivoedit.exe)
set(CPACK_NSIS_URL_INFO_ABOUT "${CPACK_PACKAGE_HOMEPAGE_URL}")
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
set(CPACK_RIVO_COPYRIGHT "${RIVO_COPYRIGHT}")
set(CPACK_RIVO_LICENCE_LINE "${RIVO_LICENCE_LINE}")
# Made by windows/resources.cmake beside the icon.
set(CPACK_RIVO_WELCOME_BMP ${CMAKE_BINARY_DIR}/app/windows/installer-welcome.bmp)
set(CPACK_RIVO_HEADER_BMP ${CMAKE_BINARY_DIR}/app/windows/installer-header.bmp)
# A 64-bit installer for a 64-bit program: it needs no 32-bit Windows
# subsystem, and it writes the uninstall entry in the 64-bit registry view.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
include(CPack)
