# Embeds files in a target as named resources, found at run time with
# FindResource(Name) from platform/resources/Resources.h.
#
#   scoutlane_embed_resources(<target> <NAME> <file> [<NAME> <file> ...])
#
# Each file becomes a generated source holding its bytes and a registrar that
# runs before main. Embed into executables (or OBJECT libraries linked into
# them): in a static library the linker would drop the unreferenced registrar.
#
# The sources are generated while configuring, so the function works on
# targets of any directory; each embedded file is a configure dependency, so
# editing it regenerates its source on the next build. A source is rewritten
# only when its content changes, so nothing else recompiles.

function(scoutlane_embed_resources TARGET)
  set(Pairs ${ARGN})
  list(LENGTH Pairs Count)
  math(EXPR Odd "${Count} % 2")
  if(Count EQUAL 0 OR Odd)
    message(FATAL_ERROR "scoutlane_embed_resources(${TARGET} NAME file ...): names and files come in pairs")
  endif()
  while(Pairs)
    list(POP_FRONT Pairs Name File)
    get_filename_component(File "${File}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    if(NOT EXISTS "${File}")
      message(FATAL_ERROR "scoutlane_embed_resources: ${File} does not exist")
    endif()
    string(MAKE_C_IDENTIFIER "${TARGET}_${Name}" Id)
    set(Output "${CMAKE_BINARY_DIR}/embedded/${Id}.cpp")

    file(READ "${File}" Hex HEX)
    string(LENGTH "${Hex}" HexLength)
    math(EXPR Size "${HexLength} / 2")
    if(Size EQUAL 0)
      set(Bytes "0")  # C++ has no empty arrays; the size below stays 0
    else()
      string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
             "\\1\n" Hex "${Hex}")
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," Bytes "${Hex}")
    endif()

    file(WRITE "${Output}.new"
         "// Generated from ${File} by cmake/EmbedResource.cmake. Do not edit.\n"
         "#include \"platform/resources/Resources.h\"\n\n"
         "namespace {\n"
         "const unsigned char kData[] = {\n${Bytes}\n};\n"
         "const TResourceRegistrar kRegistrar(\"${Name}\", kData, ${Size});\n"
         "}  // namespace\n")
    configure_file("${Output}.new" "${Output}" COPYONLY)
    file(REMOVE "${Output}.new")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${File}")
    target_sources(${TARGET} PRIVATE "${Output}")
  endwhile()
endfunction()
