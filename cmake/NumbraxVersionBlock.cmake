# SPDX-License-Identifier: MIT
# numbrax_add_version_block(target [DESCRIPTION file])
#
# Generates the version block from its readable description (by default resources/version.ini)
# with the numbrax-versionblock tool, and links it into target's ".numbrax.version" section, an
# allocated read-only section that strip keeps. The target's property NUMBRAX_VERSION_BLOCK
# names the generated block's bytes, for tests that compare the executable with it.

set(NUMBRAX_VERSION_DESCRIPTION "${CMAKE_CURRENT_LIST_DIR}/../resources/version.ini"
  CACHE FILEPATH "The readable description of the executable's version block")

function(numbrax_add_version_block target)
  cmake_parse_arguments(V "" "DESCRIPTION" "" ${ARGN})
  if(NOT V_DESCRIPTION)
    set(V_DESCRIPTION "${NUMBRAX_VERSION_DESCRIPTION}")
  endif()
  get_filename_component(description "${V_DESCRIPTION}" ABSOLUTE)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_version")
  add_custom_command(
    OUTPUT "${out}/version_block.cpp" "${out}/version_block.bin"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${out}"
    COMMAND numbrax-versionblock "${description}" "${out}/version_block.cpp" "${out}/version_block.bin"
    DEPENDS numbrax-versionblock "${description}"
    COMMENT "Generating the version block of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}/version_block.cpp")
  set_source_files_properties("${out}/version_block.cpp" PROPERTIES SKIP_AUTOGEN ON)
  set_target_properties(${target} PROPERTIES NUMBRAX_VERSION_BLOCK "${out}/version_block.bin")
endfunction()
