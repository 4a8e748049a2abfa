# The version of the build machine's nlohmann-json (header-only, so any target
# can use it).
include(/usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)
