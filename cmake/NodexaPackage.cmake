# What `cmake --install` adds for callers besides the library, its header
# and the nodexa command: a CMake package (find_package(Nodexa) gives the
# imported target Nodexa::Nodexa) and a pkg-config file (nodexa.pc). Both
# find the installed tree relative to themselves, so the tree may be moved
# or installed with --prefix.
include_guard(GLOBAL)
include(CMakePackageConfigHelpers)

set(NODEXA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Nodexa)

install(EXPORT NodexaTargets NAMESPACE Nodexa:: DESTINATION ${NODEXA_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/NodexaConfig.cmake.in
  ${CMAKE_BINARY_DIR}/NodexaConfig.cmake INSTALL_DESTINATION ${NODEXA_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/NodexaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/NodexaConfig.cmake ${CMAKE_BINARY_DIR}/NodexaConfigVersion.cmake
  DESTINATION ${NODEXA_CMAKE_DIR})

# pkg-config: the prefix is the .pc file's folder with the library folder's
# depth climbed back up.
file(RELATIVE_PATH NODEXA_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" NODEXA_PC_TO_PREFIX "${NODEXA_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/nodexa.pc.in ${CMAKE_BINARY_DIR}/nodexa.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/nodexa.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
