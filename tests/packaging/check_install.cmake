cmake_minimum_required(VERSION 3.25)
# Installs the build into a scratch folder and checks what lands there.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DEXPECT_HEADLESS=0|1
#         [-DDESKTOP_FILE_VALIDATE=...] [-DAPPSTREAMCLI=...] -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(
    COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

set(expected
    bin/kupongen
    share/applications/example.kupongen.Kupongen.desktop
    share/metainfo/example.kupongen.Kupongen.metainfo.xml
    share/icons/hicolor/16x16/apps/kupongen.png
    share/icons/hicolor/32x32/apps/kupongen.png
    share/icons/hicolor/48x48/apps/kupongen.png
    share/icons/hicolor/64x64/apps/kupongen.png
    share/icons/hicolor/128x128/apps/kupongen.png
    share/icons/hicolor/256x256/apps/kupongen.png
    share/icons/hicolor/scalable/apps/kupongen.svg
    share/doc/kupongen/copyright
    share/doc/kupongen/changelog.gz)
if(EXPECT_HEADLESS)
    list(APPEND expected bin/kupongen-headless share/man/man1/kupongen-headless.1.gz)
endif()
list(APPEND expected share/man/man1/kupongen.1.gz)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endforeach()
foreach(program kupongen kupongen-headless)
    if(EXISTS "${PREFIX}/bin/${program}" AND NOT IS_DIRECTORY "${PREFIX}/bin/${program}")
        file(READ "${PREFIX}/bin/${program}" head LIMIT 4 HEX)
        if(NOT head STREQUAL "7f454c46")
            message(FATAL_ERROR "bin/${program} is not a program")
        endif()
    endif()
endforeach()

# Nothing but these: no headers, no static libraries, no test programs.
file(GLOB_RECURSE landed RELATIVE "${PREFIX}" "${PREFIX}/*")
foreach(path IN LISTS landed)
    if(path MATCHES "\\.(a|h|cmake)$" OR path MATCHES "test")
        message(FATAL_ERROR "unexpected file installed: ${path}")
    endif()
endforeach()

# The icon sizes are what their folders say.
file(READ "${PREFIX}/share/icons/hicolor/64x64/apps/kupongen.png" png OFFSET 16 LIMIT 8 HEX)
if(NOT png STREQUAL "0000004000000040")
    message(FATAL_ERROR "the 64x64 icon is not 64 x 64 pixels (${png})")
endif()

# The AppStream id and the desktop file agree.
file(READ "${PREFIX}/share/metainfo/example.kupongen.Kupongen.metainfo.xml" metainfo)
foreach(part "<id>example.kupongen.Kupongen</id>"
             "example.kupongen.Kupongen.desktop</launchable>" "docs/screenshot-qt.png</image>")
    string(FIND "${metainfo}" "${part}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the metainfo lacks ${part}")
    endif()
endforeach()

file(STRINGS "${PREFIX}/share/applications/example.kupongen.Kupongen.desktop" entry)
foreach(line "Exec=kupongen" "Icon=kupongen" "Type=Application")
    if(NOT line IN_LIST entry)
        message(FATAL_ERROR "the desktop entry lacks ${line}")
    endif()
endforeach()
if(DESKTOP_FILE_VALIDATE)
    execute_process(
        COMMAND ${DESKTOP_FILE_VALIDATE} "${PREFIX}/share/applications/example.kupongen.Kupongen.desktop"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR NOT output STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate:\n${output}")
    endif()
endif()
if(APPSTREAMCLI)
    execute_process(
        COMMAND ${APPSTREAMCLI} validate --no-net --no-color
                "${PREFIX}/share/metainfo/example.kupongen.Kupongen.metainfo.xml"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate:\n${output}")
    endif()
    message(STATUS "appstreamcli validate: ${output}")
endif()
message(STATUS "installed: ${landed}")
