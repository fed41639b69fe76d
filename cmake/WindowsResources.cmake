# Windows resources of a program: its icon as a real ICON resource (made at
# build time from the icon bitmaps in resources/, so Explorer, the task bar
# and the window class show the same picture as the X11 window's icon) and
# its version information, and its manifest (resources/windows/
# Program.manifest: the program scales itself to each monitor's DPI). The
# layouts and bitmaps stay embedded through cmake/EmbedResource.cmake, as
# on Linux.
#
#   scoutlane_windows_resources(<target> <description> <file name> <internal name>)
#
# The icon resource is named MAINICON; the backend loads it with
# LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, ...).

set(SCOUTLANE_ICON_BITMAPS
  ${CMAKE_SOURCE_DIR}/resources/Scoutlane16.bmp
  ${CMAKE_SOURCE_DIR}/resources/Scoutlane.bmp
  ${CMAKE_SOURCE_DIR}/resources/Scoutlane48.bmp)
set(SCOUTLANE_ICO ${CMAKE_BINARY_DIR}/windows/Scoutlane.ico)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(OUTPUT ${SCOUTLANE_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/windows
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/windows/bmp_to_ico.py
          ${SCOUTLANE_ICO} ${SCOUTLANE_ICON_BITMAPS}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/windows/bmp_to_ico.py ${SCOUTLANE_ICON_BITMAPS}
  VERBATIM)
add_custom_target(scoutlane_ico DEPENDS ${SCOUTLANE_ICO})

function(scoutlane_windows_resources TARGET DESCRIPTION FILE_NAME INTERNAL_NAME)
  set(SCOUTLANE_RC_DESCRIPTION "${DESCRIPTION}")
  set(SCOUTLANE_RC_FILE_NAME "${FILE_NAME}")
  set(SCOUTLANE_RC_INTERNAL_NAME "${INTERNAL_NAME}")
  set(SCOUTLANE_RC_ICO "${SCOUTLANE_ICO}")
  set(SCOUTLANE_RC_MANIFEST "${CMAKE_SOURCE_DIR}/resources/windows/Program.manifest")
  set(Rc ${CMAKE_BINARY_DIR}/windows/${TARGET}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/resources/windows/Program.rc.in ${Rc} @ONLY)
  target_sources(${TARGET} PRIVATE ${Rc})
  # windres reads the icon and the manifest: rebuild the resources when
  # they change.
  set_source_files_properties(${Rc} PROPERTIES OBJECT_DEPENDS
                              "${SCOUTLANE_ICO};${SCOUTLANE_RC_MANIFEST}")
  add_dependencies(${TARGET} scoutlane_ico)
endfunction()
