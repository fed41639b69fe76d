file(REMOVE_RECURSE
  "../Scoutlane"
  "../Scoutlane.pdb"
  "CMakeFiles/Scoutlane.dir/main.cpp.o"
  "CMakeFiles/Scoutlane.dir/main.cpp.o.d"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/Scoutlane.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
