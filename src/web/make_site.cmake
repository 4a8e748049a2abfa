# Copies the page, the module and the icons into SITE and writes the service
# worker's cache name from the content, so every change of any file replaces
# the offline copy.
#   cmake -DSITE=... -DSOURCES=... -DFILES=... -DICONS=... -DMODULE=.../kupongen.js
#         -DVERSION=... -P make_site.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${SITE}")
file(MAKE_DIRECTORY "${SITE}/icons")
get_filename_component(module_dir "${MODULE}" DIRECTORY)
file(COPY "${MODULE}" "${module_dir}/kupongen.wasm" DESTINATION "${SITE}")
foreach(icon IN LISTS ICONS)
    file(COPY "${icon}" DESTINATION "${SITE}/icons")
endforeach()
foreach(name IN LISTS FILES)
    if(NOT name STREQUAL "sw.js")
        file(COPY "${SOURCES}/${name}" DESTINATION "${SITE}")
    endif()
endforeach()

file(GLOB_RECURSE site_files RELATIVE "${SITE}" "${SITE}/*")
list(SORT site_files)
set(digests "")
set(entries "'./'")
foreach(name IN LISTS site_files)
    file(SHA256 "${SITE}/${name}" digest)
    string(APPEND digests "${digest}")
    string(APPEND entries ", './${name}'")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING "${digest}" 0 12 digest)
file(READ "${SOURCES}/sw.js" worker)
string(REPLACE "KUPONGEN_CACHE" "kupongen-${VERSION}-${digest}" worker "${worker}")
string(REPLACE "'KUPONGEN_FILES'" "${entries}" worker "${worker}")
file(WRITE "${SITE}/sw.js" "${worker}")
