file(REMOVE_RECURSE
  "CMakeFiles/platform.dir/core/Exception.cpp.o"
  "CMakeFiles/platform.dir/core/Exception.cpp.o.d"
  "CMakeFiles/platform.dir/files/Path.cpp.o"
  "CMakeFiles/platform.dir/files/Path.cpp.o.d"
  "CMakeFiles/platform.dir/text/Cp932.cpp.o"
  "CMakeFiles/platform.dir/text/Cp932.cpp.o.d"
  "libplatform.a"
  "libplatform.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
