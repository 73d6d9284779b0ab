# The Windows program as Windows users get it (see scripts/package --windows):
# a zip to unpack anywhere and an NSIS installer, both with the program, the
# README and the licences: RivoEdit's own, and those of the Qt linked into it
# and of the libraries Qt bundles (kept beside the Qt by scripts/qt-windows).
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
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
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/rivoedit/RivoEdit")
set(CPACK_PACKAGE_FILE_NAME RivoEdit-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY RivoEdit)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY RivoEdit)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

# A Start-menu shortcut "RivoEdit" to the program, which carries the icon.
set(CPACK_PACKAGE_EXECUTABLES rivoedit RivoEdit)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME RivoEdit)
# Also the name of the Start-menu folder.
set(CPACK_NSIS_PACKAGE_NAME RivoEdit)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/app/windows/rivoedit.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/app/windows/rivoedit.ico)
# The entry in Windows' list of installed programs: name, version and
# publisher come from above, the icon from the installed program.
set(CPACK_NSIS_INSTALLED_ICON_NAME rivoedit.exe)
set(CPACK_NSIS_URL_INFO_ABOUT "${CPACK_PACKAGE_HOMEPAGE_URL}")
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
# The installer keeps its folder under Software\<vendor>\RivoEdit; the
# uninstaller removes that key and then the vendor's key when it is empty.
# Escaped twice: CPack writes the text into its own configuration file.
set(vendor_key "Software\\\\${CPACK_PACKAGE_VENDOR}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "DeleteRegKey SHCTX \\\"${vendor_key}\\\\RivoEdit\\\"\nDeleteRegKey /ifempty SHCTX \\\"${vendor_key}\\\"")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# A 64-bit installer for a 64-bit program: it needs no 32-bit Windows
# subsystem, and it writes the uninstall entry in the 64-bit registry view.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
include(CPack)
