# Runs one script through kupongen-script.exe under Wine in a fresh folder and
# compares standard output, standard error and the exit status with the
# expected files beside the script (the rules of tests/e2e/run_script.cmake).
# When KUPONGEN_HEADLESS names a Linux kupongen-headless in the environment,
# it runs the script too, and both runs must match in everything, the files
# they saved included.
# With -DSTDIN=ON the script goes to standard input instead. A header line
# "# files: NAMES" lists every file the run must leave in its folder; "# windows
# only" marks a script whose paths mean other files on Linux, which is then not
# run through kupongen-headless.
#   cmake -DEMULATOR=wine -DDRIVER=kupongen-script.exe -DSCRIPT=.../name.script
#         -DWORK=... [-DSTDIN=ON] -P run_native_script.cmake
get_filename_component(name "${SCRIPT}" NAME_WE)
get_filename_component(folder "${SCRIPT}" DIRECTORY)

include(${CMAKE_CURRENT_LIST_DIR}/../e2e/script_header.cmake)

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
run_driver(native ${EMULATOR} ${DRIVER})

file(WRITE "${WORK}/expected-status" "${expected_status}\n")
compare("${WORK}/native/status" "${WORK}/expected-status" "exit status")
file(WRITE "${WORK}/empty" "")
foreach(stream IN ITEMS stdout stderr)
    set(expected "${folder}/${name}.${stream}")
    if(NOT EXISTS "${expected}")
        set(expected "${WORK}/empty")
    endif()
    compare("${WORK}/native/${stream}" "${expected}" "${stream}")
endforeach()

file(STRINGS "${SCRIPT}" files_line REGEX "^# files: ")
if(files_line)
    string(REGEX REPLACE "^# files: " "" expected_files "${files_line}")
    separate_arguments(expected_files)
    list(SORT expected_files)
    file(GLOB_RECURSE left RELATIVE "${WORK}/native/files" "${WORK}/native/files/*")
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
