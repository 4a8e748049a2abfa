# Runs one test case (a .script or a .args file, see case_runs.cmake) through
# a driver in a fresh folder and checks it by the rules of case_runs.cmake:
# the expected output, exit status and files, then its "# args:" pairs. The
# driver is kupongen-headless, its WebAssembly build under node, or
# kupongen-script.exe under Wine (EMULATOR). When KUPONGEN_HEADLESS names a
# Linux kupongen-headless in the environment, it runs the case too, and both
# runs must match in everything, the files they saved included.
# With -DSTDIN=ON a script goes to standard input instead. A header line
# "# windows only" marks a case whose paths mean other files on Linux, which
# is then not run through kupongen-headless.
#   cmake [-DEMULATOR=wine] -DDRIVER=... -DSCRIPT=.../name.script -DWORK=...
#         [-DSTDIN=ON] -P run_script.cmake
include(${CMAKE_CURRENT_LIST_DIR}/case_runs.cmake)

file(REMOVE_RECURSE "${WORK}")
run_case("${WORK}/run" ${EMULATOR} ${DRIVER})
check_case("${WORK}/run")
check_pairs("${WORK}/run" ${EMULATOR} ${DRIVER})

file(STRINGS "${SCRIPT}" windows_only REGEX "^# windows only")
if(NOT windows_only AND DEFINED ENV{KUPONGEN_HEADLESS} AND NOT "$ENV{KUPONGEN_HEADLESS}" STREQUAL "")
    run_case("${WORK}/headless" "$ENV{KUPONGEN_HEADLESS}")
    foreach(stream IN ITEMS status stdout stderr)
        compare("${WORK}/run/${stream}" "${WORK}/headless/${stream}"
                "${stream} against kupongen-headless")
    endforeach()
    file(GLOB_RECURSE run_files RELATIVE "${WORK}/run/files" "${WORK}/run/files/*")
    file(GLOB_RECURSE headless_files RELATIVE "${WORK}/headless/files"
         "${WORK}/headless/files/*")
    list(SORT run_files)
    list(SORT headless_files)
    if(NOT run_files STREQUAL headless_files)
        message(SEND_ERROR "${name}: saved files differ: [${run_files}] from ${DRIVER}, "
                           "[${headless_files}] from kupongen-headless")
        set(failed TRUE)
    else()
        foreach(saved IN LISTS run_files)
            compare("${WORK}/run/files/${saved}" "${WORK}/headless/files/${saved}"
                    "saved file against kupongen-headless")
        endforeach()
    endif()
    message(STATUS "${name}: compared with kupongen-headless, saved files: ${run_files}")
endif()

if(NOT failed)
    file(REMOVE_RECURSE "${WORK}")
endif()
