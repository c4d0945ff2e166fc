# CLI11 and nlohmann/json for the nodexa command: header-only, from Debian's
# libcli11-dev and nlohmann-json3-dev. The native build finds them in
# /usr/include; the Windows cross build finds the same two folders, and only
# those, in its deps prefix (MingwDeps.cmake links them there). Both become
# imported targets, so their headers are system headers to our warnings.
include_guard(GLOBAL)

find_path(NODEXA_CLI11_INCLUDE_DIR CLI/CLI.hpp
  DOC "Folder holding CLI/CLI.hpp (Debian: libcli11-dev)" REQUIRED)
find_path(NODEXA_JSON_INCLUDE_DIR nlohmann/json.hpp
  DOC "Folder holding nlohmann/json.hpp (Debian: nlohmann-json3-dev)" REQUIRED)

add_library(nodexa_cli11 INTERFACE IMPORTED)
set_target_properties(nodexa_cli11 PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES "${NODEXA_CLI11_INCLUDE_DIR}")
add_library(nodexa_json INTERFACE IMPORTED)
set_target_properties(nodexa_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES "${NODEXA_JSON_INCLUDE_DIR}")
