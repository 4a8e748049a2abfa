# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
#   cmake --preset windows      (or -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KUPONGEN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KUPONGEN_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${KUPONGEN_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${KUPONGEN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KUPONGEN_MINGW_PREFIX})
# Programs (code generators, ImageMagick) run on the build machine; libraries
# and headers must be the target's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Target programs run here through Wine (tests only; the build never needs it).
find_program(KUPONGEN_WINE NAMES wine)
if(KUPONGEN_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KUPONGEN_WINE})
endif()

# Header-only packages of the build machine, without its /usr/include.
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cross/nlohmann_json CACHE PATH
    "nlohmann-json for the cross build")
