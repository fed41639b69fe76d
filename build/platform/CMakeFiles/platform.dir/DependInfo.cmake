
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/platform/core/Exception.cpp" "platform/CMakeFiles/platform.dir/core/Exception.cpp.o" "gcc" "platform/CMakeFiles/platform.dir/core/Exception.cpp.o.d"
  "/work/main/platform/files/Path.cpp" "platform/CMakeFiles/platform.dir/files/Path.cpp.o" "gcc" "platform/CMakeFiles/platform.dir/files/Path.cpp.o.d"
  "/work/main/platform/text/Cp932.cpp" "platform/CMakeFiles/platform.dir/text/Cp932.cpp.o" "gcc" "platform/CMakeFiles/platform.dir/text/Cp932.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
