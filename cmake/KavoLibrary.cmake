# SPDX-License-Identifier: MIT
# The control library's parts, each made twice from one set of objects: the installed shared
# library Kavo::<Name> for other programs, and a static library for this project's own programs.
# Compiling once keeps the build as quick as before; linking the game statically keeps its
# start-up as it was, and a program of ours that links only the static parts can never end up
# with two copies of the library's process-wide objects (desktop seam, cursor table, glyph cache).

include(GenerateExportHeader)

set(KAVO_VERSION 1.0.0)
set(KAVO_SOVERSION 1)
# Installed headers, the export headers beside them, and (in the build tree) forwarding headers
# with the installed names, so that <KavoControls/KavoSpin.h> means the same inside and outside.
set(KAVO_INCLUDE_NAME KavoControls)
set(KAVO_BUILD_INCLUDE_DIR ${CMAKE_BINARY_DIR}/include)
set(KAVO_HEADER_DIR ${KAVO_BUILD_INCLUDE_DIR}/${KAVO_INCLUDE_NAME})
set(KAVO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/KavoControls)
set(KAVO_EXPORT_SET KavoControlsTargets)
# Kavo::Forms has an export set of its own: the package loads it only when Forms is asked for,
# since it names Qt's Designer module, which a program of the controls alone need not have.
set(KAVO_FORMS_EXPORT_SET KavoFormsTargets)
# Where Debian's Qt 6 Designer and QUiLoader look for widget plugins.
set(KAVO_DESIGNER_PLUGIN_DIR ${CMAKE_INSTALL_LIBDIR}/qt6/plugins/designer)

# The Debian packages of the library's install components (cmake/Packaging.cmake): the runtime
# package is named after the SONAME, as Debian names library packages.
set(KAVO_PACKAGE_runtime libkavocontrols${KAVO_SOVERSION})
set(KAVO_PACKAGE_sound libkavosound${KAVO_SOVERSION})
set(KAVO_PACKAGE_forms libkavoforms${KAVO_SOVERSION})
set(KAVO_PACKAGE_dev libkavocontrols-dev)
set(KAVO_PACKAGE_designer kavocontrols-designer-plugin)
set(KAVO_PACKAGE_doc libkavocontrols-doc)

# Every package has its own copyright and changelog: kavo_install_docs(component).
function(kavo_install_docs component)
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/${KAVO_PACKAGE_${component}})
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${doc} RENAME copyright COMPONENT ${component})
  install(FILES ${CMAKE_BINARY_DIR}/resources/changelog.gz DESTINATION ${doc} COMPONENT ${component})
endfunction()

# kavo_add_library(KavoName STATIC static_target EXPORT_NAME Name SOURCES ... HEADERS ...
#                  [INCLUDE_DIRS dir ...] [OBJECTS object_library ...] [USES KavoOther ...]
#                  [LINKS lib ...] [PRIVATE_LINKS lib ...] [COMPONENT runtime_component]
#                  [EXPORT export_set])
# HEADERS are the installed ones, given with their folder; the others stay inside. OBJECTS are
# object libraries of plain C++ (built with kavo_add_objects) packed into this part. USES names
# the other parts this one builds on: the static variant links their static variants, the
# shared one their shared ones. LINKS are public, PRIVATE_LINKS private, for both variants.
# EXPORT names the CMake package's export set the shared library joins (KAVO_EXPORT_SET unless
# given).
function(kavo_add_library name)
  cmake_parse_arguments(K "" "STATIC;EXPORT_NAME;COMPONENT;EXPORT"
    "SOURCES;HEADERS;INCLUDE_DIRS;OBJECTS;USES;LINKS;PRIVATE_LINKS" ${ARGN})
  string(TOLOWER ${name} base)
  set(objects ${name}_objects)

  add_library(${objects} OBJECT ${K_SOURCES})
  kavo_compile_as_library(${objects})
  kavo_moc(${objects} ${K_SOURCES})
  generate_export_header(${objects} BASE_NAME ${base} EXPORT_FILE_NAME ${KAVO_HEADER_DIR}/${base}_export.h)

  set(static_uses)
  foreach(part IN LISTS K_USES)
    get_target_property(static_part ${part} KAVO_STATIC)
    list(APPEND static_uses ${static_part})
  endforeach()
  set(object_files $<TARGET_OBJECTS:${objects}>)
  foreach(object_library IN LISTS K_OBJECTS)
    list(APPEND object_files $<TARGET_OBJECTS:${object_library}>)
  endforeach()
  add_library(${K_STATIC} STATIC ${object_files})
  add_library(${name} SHARED ${object_files})
  add_library(Kavo::${K_EXPORT_NAME} ALIAS ${name})
  foreach(target ${objects} ${K_STATIC} ${name})
    target_include_directories(${target} PUBLIC
      "$<BUILD_INTERFACE:${K_INCLUDE_DIRS};${KAVO_HEADER_DIR};${KAVO_BUILD_INCLUDE_DIR}>"
      $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    target_link_libraries(${target} PUBLIC ${K_LINKS})
    # The public headers are C++20 (defaulted comparisons): a program that includes them is too.
    target_compile_features(${target} PUBLIC cxx_std_20)
  endforeach()
  # The plain C++ parts lend their include folders to the code that calls them; their objects
  # are already packed.
  foreach(object_library IN LISTS K_OBJECTS)
    target_link_libraries(${objects} PRIVATE ${object_library})
  endforeach()
  target_link_libraries(${objects} PUBLIC ${static_uses} PRIVATE ${K_PRIVATE_LINKS})
  target_link_libraries(${K_STATIC} PUBLIC ${static_uses} PRIVATE ${K_PRIVATE_LINKS})
  target_link_libraries(${name} PUBLIC ${K_USES} PRIVATE ${K_PRIVATE_LINKS})

  set_target_properties(${name} PROPERTIES
    OUTPUT_NAME ${name}
    EXPORT_NAME ${K_EXPORT_NAME}
    VERSION ${KAVO_VERSION}
    SOVERSION ${KAVO_SOVERSION}
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib
    KAVO_STATIC ${K_STATIC})
  # Every symbol the library uses is found when it is linked, not when a program loads it.
  target_link_options(${name} PRIVATE LINKER:--no-undefined)

  foreach(header IN LISTS K_HEADERS)
    get_filename_component(header_name ${header} NAME)
    get_filename_component(header_path ${header} ABSOLUTE)
    file(CONFIGURE OUTPUT ${KAVO_HEADER_DIR}/${header_name}
      CONTENT "// Generated: the installed name of ${header_path}\n#include \"${header_path}\"\n")
    list(APPEND installed_headers ${header_path})
  endforeach()
  if(NOT K_COMPONENT)
    set(K_COMPONENT runtime)
  endif()
  if(NOT K_EXPORT)
    set(K_EXPORT ${KAVO_EXPORT_SET})
  endif()
  # Shared libraries are not programs: read-only, as Debian installs them.
  install(TARGETS ${name} EXPORT ${K_EXPORT}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
      PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
      COMPONENT ${K_COMPONENT} NAMELINK_COMPONENT dev)
  # The API reference (docs/api) documents exactly these.
  set_property(GLOBAL APPEND PROPERTY KAVO_PUBLIC_HEADERS ${installed_headers})
  install(FILES ${installed_headers} ${KAVO_HEADER_DIR}/${base}_export.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${KAVO_INCLUDE_NAME} COMPONENT dev)
endfunction()

# Position-independent objects with hidden symbols: what goes into the shared libraries, and
# what the static variants are made of, so that both export the same.
function(kavo_compile_as_library target)
  numbrax_target_warnings(${target})
  set_target_properties(${target} PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# Runs moc over the headers among sources that declare Qt objects, gadgets or namespaces and
# compiles its output in one unit, as AUTOMOC would. AUTOMOC itself cannot serve here: the objects it adds to an object
# library reach a library made of them only when CMake happens to set up that object library
# first, and a folder read earlier that links the library comes before it.
function(kavo_moc target)
  set(headers)
  foreach(source IN LISTS ARGN)
    if(source MATCHES "\\.h$")
      file(STRINGS ${source} declares_objects REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE")
      if(declares_objects)
        list(APPEND headers ${source})
      endif()
    endif()
  endforeach()
  qt_wrap_cpp(moc_sources ${headers} TARGET ${target})
  set(unit ${CMAKE_CURRENT_BINARY_DIR}/${target}_mocs.cpp)
  list(TRANSFORM moc_sources PREPEND "#include \"" OUTPUT_VARIABLE includes)
  list(TRANSFORM includes APPEND "\"\n")
  string(JOIN "" includes ${includes})
  file(CONFIGURE OUTPUT ${unit} CONTENT "// Generated: the moc output of ${target}\n${includes}")
  set_source_files_properties(${moc_sources} PROPERTIES HEADER_FILE_ONLY ON)
  set_source_files_properties(${unit} PROPERTIES OBJECT_DEPENDS "${moc_sources}")
  target_sources(${target} PRIVATE ${moc_sources} ${unit})
endfunction()

# Plain C++ parts of a library, in object libraries of their own so that they are built (and
# tested) without Qt: kavo_add_objects(target sources... [INCLUDE_DIRS dir ...]).
function(kavo_add_objects target)
  cmake_parse_arguments(K "" "" "INCLUDE_DIRS" ${ARGN})
  add_library(${target} OBJECT ${K_UNPARSED_ARGUMENTS})
  kavo_compile_as_library(${target})
  set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  target_include_directories(${target} PUBLIC
    "$<BUILD_INTERFACE:${K_INCLUDE_DIRS};${KAVO_HEADER_DIR}>")
endfunction()

# Resources compiled into both variants of a part: kavo_add_resources(KavoName name ...), the
# rest as for qt_add_resources. The static variant hands them to the programs that link it.
function(kavo_add_resources name resource)
  get_target_property(static_part ${name} KAVO_STATIC)
  qt_add_resources(${static_part} ${static_part}_${resource} ${ARGN})
  qt_add_resources(${name} ${name}_${resource} ${ARGN})
endfunction()
