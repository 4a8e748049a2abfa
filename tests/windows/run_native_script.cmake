# Runs one test case through kupongen-script.exe under Wine in a fresh folder
# and checks it by the rules of tests/e2e/case_runs.cmake: the expected output,
# exit status and files, and the "# args:" pairs through the real dialog.
# When KUPONGEN_HEADLESS names a Linux kupongen-headless in the environment,
# it runs the case too, and both runs must match in everything, the files
# they saved included.
# With -DSTDIN=ON a script goes to standard input instead. A header line
# "# windows only" marks a case whose paths mean other files on Linux, which
# is then not run through kupongen-headless.
#   cmake -DEMULATOR=wine -DDRIVER=kupongen-script.exe -DSCRIPT=.../name.script
#         -DWORK=... [-DSTDIN=ON] -P run_native_script.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../e2e/case_runs.cmake)

file(REMOVE_RECURSE "${WORK}")
run_case("${WORK}/native" ${EMULATOR} ${DRIVER})
check_case("${WORK}/native")
check_pairs("${WORK}/native" ${EMULATOR} ${DRIVER})

file(STRINGS "${SCRIPT}" windows_only REGEX "^# windows only")
if(NOT windows_only AND DEFINED ENV{KUPONGEN_HEADLESS} AND NOT "$ENV{KUPONGEN_HEADLESS}" STREQUAL "")
    run_case("${WORK}/headless" "$ENV{KUPONGEN_HEADLESS}")
    foreach(stream IN ITEMS status stdout stderr)
        compare("${WORK}/native/${stream}" "${WORK}/headless/${stream}"
                "${stream} against kupongen-headless")
    endforeach()
    file(GLOB_RECURSE native_files RELATIVE "${WORK}/native/files" "${WORK}/native/files/*")
    file(GLOB_RECURSE headless_files RELATIVE "${WORK}/headless/files"
         "${WORK}/headless/files/*")
    list(SORT native_files)
    list(SORT headless_files)
    if(NOT native_files STREQUAL headless_files)
        message(SEND_ERROR "${name}: saved files differ: [${native_files}] under Wine, "
                           "[${headless_files}] from kupongen-headless")
        set(failed TRUE)
    else()
        foreach(saved IN LISTS native_files)
            compare("${WORK}/native/files/${saved}" "${WORK}/headless/files/${saved}"
                    "saved file against kupongen-headless")
        endforeach()
    endif()
    message(STATUS "${name}: compared with kupongen-headless, saved files: ${native_files}")
endif()

if(NOT failed)
    file(REMOVE_RECURSE "${WORK}")
endif()
