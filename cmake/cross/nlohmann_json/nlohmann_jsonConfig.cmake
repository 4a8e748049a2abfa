# nlohmann-json for the cross build: the build machine's header-only package,
# with its headers copied into the build tree, because its own target would put
# the build machine's /usr/include, and so its C library, on the target's
# include path.
if(NOT TARGET nlohmann_json::nlohmann_json)
    find_path(KUPONGEN_NLOHMANN_JSON_INCLUDE_DIR nlohmann/json.hpp
        PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT KUPONGEN_NLOHMANN_JSON_INCLUDE_DIR)
        set(nlohmann_json_FOUND FALSE)
        set(nlohmann_json_NOT_FOUND_MESSAGE "nlohmann/json.hpp not found (nlohmann-json3-dev)")
        return()
    endif()
    set(_kupongen_json_copy ${CMAKE_BINARY_DIR}/cross-include)
    file(COPY ${KUPONGEN_NLOHMANN_JSON_INCLUDE_DIR}/nlohmann DESTINATION ${_kupongen_json_copy})
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${_kupongen_json_copy})
    unset(_kupongen_json_copy)
endif()
