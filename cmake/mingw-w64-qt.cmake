# Cross-compiles for 64-bit Windows with MinGW-w64 against the static Qt for
# Windows that scripts/qt-windows builds from Debian's qt6-base source: the
# folder in RIVO_QT_WINDOWS, or its default place in the user's cache. The
# Qt tools that run during the build (moc, rcc) are the host's Qt 6 (/usr).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

if(DEFINED ENV{RIVO_QT_WINDOWS} AND NOT "$ENV{RIVO_QT_WINDOWS}" STREQUAL "")
  set(RIVO_QT_WINDOWS "$ENV{RIVO_QT_WINDOWS}")
else()
  set(RIVO_QT_WINDOWS "$ENV{HOME}/.cache/rivoedit/qt-6.4.2-mingw-w64-static")
endif()

list(APPEND CMAKE_FIND_ROOT_PATH ${RIVO_QT_WINDOWS})
list(APPEND CMAKE_PREFIX_PATH ${RIVO_QT_WINDOWS})
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
