# SPDX-License-Identifier: MIT
# The control library's CMake package and pkg-config file, installed with its headers.
include(CMakePackageConfigHelpers)

set(KAVO_QT_VERSION 6.4)
install(EXPORT ${KAVO_EXPORT_SET} NAMESPACE Kavo:: DESTINATION ${KAVO_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KavoControlsConfig.cmake.in
  ${CMAKE_BINARY_DIR}/KavoControlsConfig.cmake
  INSTALL_DESTINATION ${KAVO_CMAKE_DIR}
  NO_SET_AND_CHECK_MACRO)
# A program built against 1.x runs with any later 1.x: the major version is the SONAME's.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/KavoControlsConfigVersion.cmake
  VERSION ${KAVO_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/KavoControlsConfig.cmake ${CMAKE_BINARY_DIR}/KavoControlsConfigVersion.cmake
  DESTINATION ${KAVO_CMAKE_DIR} COMPONENT dev)

# pkg-config wants the prefix written out, and it is known only when installing (make install
# PREFIX=..., the packages' /usr): everything else is filled in now, the prefix then.
set(KAVO_PC_PREFIX "@KAVO_PC_PREFIX@")
configure_file(${CMAKE_CURRENT_LIST_DIR}/kavocontrols.pc.in ${CMAKE_BINARY_DIR}/kavocontrols.pc.in @ONLY)
set(kavo_pc ${CMAKE_INSTALL_LIBDIR}/pkgconfig/kavocontrols.pc)
install(CODE "
  set(KAVO_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  set(pc \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${kavo_pc}\")
  message(STATUS \"Installing: \${pc}\")
  configure_file(\"${CMAKE_BINARY_DIR}/kavocontrols.pc.in\" \"\${pc}\" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/${kavo_pc}\")
" COMPONENT dev)

foreach(component runtime sound dev)
  kavo_install_docs(${component})
endforeach()
