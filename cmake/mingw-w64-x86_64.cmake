# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX
# thread model, for std::thread and std::mutex):
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# scripts/build-windows.sh does this, after building the third-party
# libraries into build-win/third-party/prefix, where find_package,
# find_library and find_path look for them (and only there: the host's
# libraries are Linux ones). Programs built here run through Wine
# (CMAKE_CROSSCOMPILING_EMULATOR), with the build tree's own Wine prefix.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCOUTLANE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCOUTLANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCOUTLANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${SCOUTLANE_MINGW}-windres)
set(CMAKE_AR ${SCOUTLANE_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${SCOUTLANE_MINGW}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP ${SCOUTLANE_MINGW}-strip CACHE FILEPATH "")

# The third-party prefix of this build tree (scripts/windows-third-party.sh).
if(NOT SCOUTLANE_THIRD_PARTY_PREFIX)
  set(SCOUTLANE_THIRD_PARTY_PREFIX "${CMAKE_BINARY_DIR}/third-party/prefix")
endif()
set(CMAKE_FIND_ROOT_PATH "${SCOUTLANE_THIRD_PARTY_PREFIX}" /usr/${SCOUTLANE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config sees only the third-party prefix, never the host's .pc files.
set(ENV{PKG_CONFIG_LIBDIR} "${SCOUTLANE_THIRD_PARTY_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Test and tool programs run under Wine; the wrapper is written into the
# build tree by the top CMakeLists.txt (from cmake/wine-run.sh.in).
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run.sh")
