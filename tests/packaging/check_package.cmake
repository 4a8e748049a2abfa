cmake_minimum_required(VERSION 3.25)
# Builds the Debian package into a scratch folder, checks its contents, and
# has lintian find no error and no warning in it.
#   cmake -DBUILD_DIR=... -DSCRATCH=... -DEXPECT_HEADLESS=0|1 [-DLINTIAN=...]
#         -P check_package.cmake
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(
    COMMAND cpack -G DEB -B "${SCRATCH}" --config "${BUILD_DIR}/CPackConfig.cmake"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
file(GLOB packages "${SCRATCH}/*.deb")
if(NOT result EQUAL 0 OR NOT packages)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
list(GET packages 0 package)

execute_process(COMMAND dpkg-deb --contents "${package}" OUTPUT_VARIABLE contents
    RESULT_VARIABLE result)
set(expected
    ./usr/bin/kupongen
    ./usr/share/applications/example.kupongen.Kupongen.desktop
    ./usr/share/metainfo/example.kupongen.Kupongen.metainfo.xml
    ./usr/share/icons/hicolor/32x32/apps/kupongen.png
    ./usr/share/icons/hicolor/64x64/apps/kupongen.png
    ./usr/share/icons/hicolor/scalable/apps/kupongen.svg
    ./usr/share/man/man1/kupongen.1.gz
    ./usr/share/doc/kupongen/copyright
    ./usr/share/doc/kupongen/changelog.gz)
if(EXPECT_HEADLESS)
    list(APPEND expected ./usr/bin/kupongen-headless ./usr/share/man/man1/kupongen-headless.1.gz)
endif()
foreach(path IN LISTS expected)
    string(FIND "${contents}" " ${path}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks ${path}:\n${contents}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb --field "${package}" Package Version Depends
    OUTPUT_VARIABLE fields)
if(NOT fields MATCHES "Package: kupongen\nVersion: 7\\.04\n" OR NOT fields MATCHES "libqt6widgets6")
    message(FATAL_ERROR "unexpected control fields:\n${fields}")
endif()
message(STATUS "${fields}")

if(LINTIAN)
    # Info and pedantic tags are shown but pass; lintian's own notes (such
    # as running as root) are no tags.
    execute_process(
        COMMAND ${LINTIAN} --display-info --pedantic --fail-on error,warning "${package}"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE errors)
    if(NOT result EQUAL 0 OR output MATCHES "(^|\n)[EW]: ")
        message(FATAL_ERROR "lintian:\n${output}${errors}")
    endif()
    message(STATUS "lintian: ${output}")
endif()
