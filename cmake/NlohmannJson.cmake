# nlohmann/json, header-only, from Debian's nlohmann-json3-dev. Only its own
# folder is exposed, through a link in the build tree: the MinGW build must
# not see the rest of the host's /usr/include.
find_path(TARVEX_NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT TARVEX_NLOHMANN_JSON_DIR)
  message(FATAL_ERROR "nlohmann/json.hpp not found: run scripts/install-deps.sh (nlohmann-json3-dev)")
endif()
set(TARVEX_JSON_INCLUDE ${PROJECT_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${TARVEX_JSON_INCLUDE})
if(NOT EXISTS ${TARVEX_JSON_INCLUDE}/nlohmann)
  file(CREATE_LINK ${TARVEX_NLOHMANN_JSON_DIR}/nlohmann ${TARVEX_JSON_INCLUDE}/nlohmann SYMBOLIC)
endif()
add_library(tarvex_json INTERFACE)
target_include_directories(tarvex_json SYSTEM INTERFACE ${TARVEX_JSON_INCLUDE})
