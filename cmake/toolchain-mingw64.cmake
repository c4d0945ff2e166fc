# Cross toolchain for the 64-bit Windows build: MinGW-w64 GCC with the POSIX
# thread model (std::thread and friends need it), tests run under Wine.
#
# CMake reads this file several times: once for the project itself, again from
# the generated CMakeSystem.cmake, and once in every try_compile project, where
# CMAKE_BINARY_DIR is a scratch folder below <build>/CMakeFiles. Everything here
# is therefore idempotent and does not rely on CMAKE_BINARY_DIR being the top
# of the build tree.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NODEXA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NODEXA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NODEXA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${NODEXA_MINGW_TRIPLET}-windres)

# Prefix holding the cross-built third-party libraries (see MingwDeps.cmake).
# A value passed in with -D (or forwarded into try_compile, below) wins;
# otherwise it is <build>/deps, with any try_compile scratch part removed.
if(NOT NODEXA_DEPS_PREFIX AND CMAKE_BINARY_DIR)
  string(REGEX REPLACE "/CMakeFiles/.*$" "" _nodexa_build_dir "${CMAKE_BINARY_DIR}")
  set(NODEXA_DEPS_PREFIX "${_nodexa_build_dir}/deps")
  unset(_nodexa_build_dir)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NODEXA_DEPS_PREFIX)
list(REMOVE_DUPLICATES CMAKE_TRY_COMPILE_PLATFORM_VARIABLES)

# Search only the MinGW sysroot and the deps prefix for target libraries,
# headers and packages, never the host's /usr; programs (tools that run during
# the build) come from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${NODEXA_MINGW_TRIPLET})
if(NODEXA_DEPS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH "${NODEXA_DEPS_PREFIX}")
endif()
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# add_test() and gtest_discover_tests() run Windows programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
