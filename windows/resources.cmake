# The Windows resources of rivoedit.exe, compiled into it: an icon with 16,
# 24, 32, 48 and 256 px images (rendered from the project's SVG in data/ and
# put together with icoutils' icotool; the 256 px image stays PNG, as Windows
# expects), the version information and the application manifest.
# rivo_add_windows_resources(target)
function(rivo_add_windows_resources target)
  find_program(ICOTOOL icotool REQUIRED)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/windows)
  set(ico ${dir}/rivoedit.ico)
  set(small)
  foreach(size 16 24 32 48)
    list(APPEND small ${RIVO_ICON_DIR}/${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${ico}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${ICOTOOL} -c -o ${ico} ${small} --raw=${RIVO_ICON_DIR}/256.png
    DEPENDS ${small} ${RIVO_ICON_DIR}/256.png
    COMMENT "Putting the Windows icon together")

  set(RIVO_WINDOWS_ICO ${ico})
  set(RIVO_WINDOWS_MANIFEST ${dir}/rivoedit.manifest)
  configure_file(${RIVO_WINDOWS_DIR}/rivoedit.manifest.in ${RIVO_WINDOWS_MANIFEST} @ONLY)
  configure_file(${RIVO_WINDOWS_DIR}/rivoedit.rc.in ${dir}/rivoedit.rc @ONLY)
  set_source_files_properties(${dir}/rivoedit.rc PROPERTIES
    OBJECT_DEPENDS "${ico};${RIVO_WINDOWS_MANIFEST}")
  target_sources(${target} PRIVATE ${dir}/rivoedit.rc)

  # The installer's pictures, made from the same icon: the tall one of its
  # welcome and finish pages and the small one of its other pages' headers,
  # as the 24-bit BMPs that NSIS takes.
  find_program(MAGICK convert REQUIRED)
  set(welcome ${dir}/installer-welcome.bmp)
  set(header ${dir}/installer-header.bmp)
  add_custom_command(OUTPUT ${welcome} ${header}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${MAGICK} -size 164x314 "gradient:#ffffff-#dde5ee"
            ( ${RIVO_ICON_DIR}/128.png ) -gravity north -geometry +0+48 -composite
            -type TrueColor BMP3:${welcome}
    COMMAND ${MAGICK} -size 150x57 "xc:#ffffff"
            ( ${RIVO_ICON_DIR}/48.png ) -gravity east -geometry +8+0 -composite
            -type TrueColor BMP3:${header}
    DEPENDS ${RIVO_ICON_DIR}/128.png ${RIVO_ICON_DIR}/48.png
    COMMENT "Making the installer's pictures from the icon"
    VERBATIM)
  add_custom_target(rivo_installer_images DEPENDS ${welcome} ${header})
  add_dependencies(${target} rivo_installer_images)
endfunction()
set(RIVO_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR})
