# Runs one script through a driver in a fresh folder and compares standard
# output, standard error and the exit status with the expected files beside
# the script: kupongen-headless, its WebAssembly build under node, or
# kupongen-script.exe under Wine (EMULATOR). When KUPONGEN_HEADLESS names a
# Linux kupongen-headless in the environment, it runs the script too, and both
# runs must match in everything, the files they saved included.
# The script's header lines "# seed: N" and "# exit: N" give the seed and the
# exit status (1 and 0 when absent). With -DSTDIN=ON the script goes to
# standard input instead. A header line "# files: NAMES" lists every file the
# run must leave in its folder; "# windows only" marks a script whose paths
# mean other files on Linux, which is then not run through kupongen-headless.
#   cmake [-DEMULATOR=wine] -DDRIVER=... -DSCRIPT=.../name.script -DWORK=...
#         [-DSTDIN=ON] -P run_script.cmake
get_filename_component(name "${SCRIPT}" NAME_WE)
get_filename_component(folder "${SCRIPT}" DIRECTORY)

file(STRINGS "${SCRIPT}" header REGEX "^# (seed|exit): ")
set(seed 1)
set(expected_status 0)
foreach(line IN LISTS header)
    if(line MATCHES "^# seed: (-?[0-9]+)")
        set(seed "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^# exit: ([0-9]+)")
        set(expected_status "${CMAKE_MATCH_1}")
    endif()
endforeach()

# Runs a driver in WORK/<run>/files; the streams go beside that folder.
function(run_driver run)
    set(dir "${WORK}/${run}")
    file(MAKE_DIRECTORY "${dir}/files")
    if(STDIN)
        set(input INPUT_FILE "${SCRIPT}")
        set(argument -)
    else()
        set(input)
        set(argument "${SCRIPT}")
    endif()
    execute_process(
        COMMAND ${ARGN} --seed ${seed} ${argument}
        ${input}
        WORKING_DIRECTORY "${dir}/files"
        OUTPUT_FILE "${dir}/stdout"
        ERROR_FILE "${dir}/stderr"
        RESULT_VARIABLE status)
    file(WRITE "${dir}/status" "${status}\n")
endfunction()

set(failed FALSE)
function(compare actual expected what)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${actual}" "${expected}"
                    RESULT_VARIABLE different)
    if(different)
        message(SEND_ERROR "${name}: ${what}: ${actual} differs from ${expected}")
        set(failed TRUE PARENT_SCOPE)
    endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
run_driver(run ${EMULATOR} ${DRIVER})

file(WRITE "${WORK}/expected-status" "${expected_status}\n")
compare("${WORK}/run/status" "${WORK}/expected-status" "exit status")
file(WRITE "${WORK}/empty" "")
foreach(stream IN ITEMS stdout stderr)
    set(expected "${folder}/${name}.${stream}")
    if(NOT EXISTS "${expected}")
        set(expected "${WORK}/empty")
    endif()
    compare("${WORK}/run/${stream}" "${expected}" "${stream}")
endforeach()

file(STRINGS "${SCRIPT}" files_line REGEX "^# files: ")
if(files_line)
    string(REGEX REPLACE "^# files: " "" expected_files "${files_line}")
    separate_arguments(expected_files)
    list(SORT expected_files)
    file(GLOB_RECURSE left RELATIVE "${WORK}/run/files" "${WORK}/run/files/*")
    list(SORT left)
    if(NOT left STREQUAL expected_files)
        message(SEND_ERROR "${name}: the run left [${left}], expected [${expected_files}]")
        set(failed TRUE)
    endif()
endif()

file(STRINGS "${SCRIPT}" windows_only REGEX "^# windows only")
if(NOT windows_only AND DEFINED ENV{KUPONGEN_HEADLESS} AND NOT "$ENV{KUPONGEN_HEADLESS}" STREQUAL "")
    run_driver(headless "$ENV{KUPONGEN_HEADLESS}")
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
