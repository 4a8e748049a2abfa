# Runs one script through kupongen-headless (or another driver given as
# DRIVER) in a fresh folder and compares standard output, standard error and
# the exit status with the expected files beside the script.
#   cmake -DDRIVER=... -DSCRIPT=.../name.script -DWORK=... -P run_script.cmake
get_filename_component(name "${SCRIPT}" NAME_WE)
get_filename_component(folder "${SCRIPT}" DIRECTORY)

include(${CMAKE_CURRENT_LIST_DIR}/script_header.cmake)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(
    COMMAND ${DRIVER} --seed ${seed} "${SCRIPT}"
    WORKING_DIRECTORY "${WORK}"
    OUTPUT_FILE "${WORK}/stdout"
    ERROR_FILE "${WORK}/stderr"
    RESULT_VARIABLE status)

set(failed FALSE)
if(NOT status STREQUAL expected_status)
    message(SEND_ERROR "${name}: exit status ${status}, expected ${expected_status}")
    set(failed TRUE)
endif()
foreach(stream IN ITEMS stdout stderr)
    set(expected "${folder}/${name}.${stream}")
    if(NOT EXISTS "${expected}")
        file(WRITE "${WORK}/empty" "")
        set(expected "${WORK}/empty")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${stream}" "${expected}"
                    RESULT_VARIABLE different)
    if(different)
        message(SEND_ERROR "${name}: ${stream} differs from ${expected} (see ${WORK}/${stream})")
        set(failed TRUE)
    endif()
endforeach()
if(NOT failed)
    file(REMOVE_RECURSE "${WORK}")
endif()
