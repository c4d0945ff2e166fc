# Third-party libraries and runtime DLLs for the MinGW cross build.
#
# At configure time this runs mingw-deps.sh, which cross-builds static expat
# and GoogleTest into <build>/deps (once; later runs only check a stamp). The
# toolchain file already puts that prefix on CMAKE_FIND_ROOT_PATH, so CMake's
# FindEXPAT (EXPAT::EXPAT) and FindGTest (GTest::gtest, GTest::gtest_main,
# GTest::gmock, ...) find them there and never the host's copies.
#
# expat needs no XML_STATIC define here: its headers only add dllimport for
# MSVC-style compilers (_MSC_EXTENSIONS), which MinGW GCC is not.
include_guard(GLOBAL)

if(NOT NODEXA_DEPS_PREFIX)
  set(NODEXA_DEPS_PREFIX "${CMAKE_BINARY_DIR}/deps")
endif()

set(_nodexa_deps_script "${CMAKE_CURRENT_LIST_DIR}/mingw-deps.sh")
execute_process(
  COMMAND bash "${_nodexa_deps_script}" "${NODEXA_DEPS_PREFIX}"
  RESULT_VARIABLE _nodexa_deps_result)
if(NOT _nodexa_deps_result EQUAL 0)
  message(FATAL_ERROR
    "Building the MinGW dependencies failed (${_nodexa_deps_result}); "
    "see the mingw-deps.sh output above.")
endif()
# Editing the script (or the toolchain it builds with) re-runs configure and
# with it the script, which rebuilds whatever its stamp says is out of date.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  "${_nodexa_deps_script}" "${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw64.cmake")

# Make sure the deps prefix is searched even if the toolchain file did not see
# it (e.g. a different toolchain file with this module).
list(APPEND CMAKE_FIND_ROOT_PATH "${NODEXA_DEPS_PREFIX}")
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)

# CLI11 and nlohmann/json are header-only and architecture-neutral, so the
# cross build uses Debian's copies. Only their two folders are linked into
# the deps prefix: putting the host's /usr/include on the include path would
# let its other headers shadow the MinGW ones.
file(MAKE_DIRECTORY "${NODEXA_DEPS_PREFIX}/include")
foreach(_nodexa_headers IN ITEMS CLI nlohmann)
  if(IS_DIRECTORY "/usr/include/${_nodexa_headers}")
    file(CREATE_LINK "/usr/include/${_nodexa_headers}"
         "${NODEXA_DEPS_PREFIX}/include/${_nodexa_headers}" SYMBOLIC)
  endif()
endforeach()
unset(_nodexa_headers)

# Nodexa.dll and the stand-in modules carry their own C++ runtime; the test
# programs and the nodexa command use MinGW's runtime DLLs, put beside them,
# where Windows (and Wine) look first.
set(_nodexa_runtime_dir "${CMAKE_BINARY_DIR}/bin")
file(MAKE_DIRECTORY "${_nodexa_runtime_dir}")
foreach(_nodexa_dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  # The compiler knows where its own runtime lives (gcc/<triplet>/<ver>-posix
  # and the MinGW sysroot); ask it rather than hard-coding a GCC version.
  execute_process(
    COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${_nodexa_dll}
    OUTPUT_VARIABLE _nodexa_dll_path
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_nodexa_dll_path}" OR NOT EXISTS "${_nodexa_dll_path}")
    message(FATAL_ERROR "MinGW runtime ${_nodexa_dll} not found by ${CMAKE_CXX_COMPILER}")
  endif()
  file(REAL_PATH "${_nodexa_dll_path}" _nodexa_dll_path)
  file(COPY_FILE "${_nodexa_dll_path}" "${_nodexa_runtime_dir}/${_nodexa_dll}"
       ONLY_IF_DIFFERENT)
endforeach()

unset(_nodexa_deps_script)
unset(_nodexa_deps_result)
unset(_nodexa_runtime_dir)
unset(_nodexa_dll)
unset(_nodexa_dll_path)
