# The runs of one test case and their checks, shared by run_script.cmake and
# the Windows harness. A case (SCRIPT) is one of:
#   NAME.script  one run, DRIVER --seed N NAME.script (or the script on
#                standard input when STDIN is ON);
#   NAME.args    one run for each line that is neither blank nor a comment:
#                DRIVER --seed N and the line's arguments, split as a shell
#                splits them. The runs share one folder and go in order; their
#                outputs are put together, and each must exit with "# exit:"
#                (its one status, or its status for that run).
#                An empty argument ('') cannot be given: CMake drops it.
# A case's test is named by NAME alone, so a .script and a .args need two names.
# NAME.stdout and NAME.stderr beside the case hold the expected output (empty
# when absent); the header lines are those of script_header.cmake. Every run
# reads "# stdin:", or else nothing, as standard input. An input file the runs
# leave must be left unchanged.
# A .script may pair itself with named options: each "# args:" line is run
# in a fresh folder with the same seed and must exit 0, print nothing on
# standard error, and give as its output (the one file it leaves, or standard
# output when it leaves none) the bytes of the one file the script saves.
include(${CMAKE_CURRENT_LIST_DIR}/script_header.cmake)
get_filename_component(name "${SCRIPT}" NAME_WE)

set(failed FALSE)
function(compare actual expected what)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${actual}" "${expected}"
                    RESULT_VARIABLE different)
    if(different)
        message(SEND_ERROR "${name}: ${what}: ${actual} differs from ${expected}")
        set(failed TRUE PARENT_SCOPE)
    endif()
endfunction()

# Runs the command in ARGN once in FOLDER, from INPUT to OUTPUT and ERROR, and
# sets STATUS_VARIABLE to its exit status. Under load, Wine now and then fails
# to start a program: the run exits 1 having written nothing, which the
# program never does (every failure says why). Such a run is run again.
function(run_driver status_variable input folder output error)
    list(GET ARGN 0 program)
    foreach(attempt RANGE 2)
        execute_process(
            COMMAND ${ARGN}
            INPUT_FILE "${input}"
            WORKING_DIRECTORY "${folder}"
            OUTPUT_FILE "${output}"
            ERROR_FILE "${error}"
            RESULT_VARIABLE status)
        file(SIZE "${output}" output_bytes)
        file(SIZE "${error}" error_bytes)
        if(NOT DEFINED EMULATOR OR NOT program STREQUAL EMULATOR OR NOT status STREQUAL "1"
           OR output_bytes GREATER 0 OR error_bytes GREATER 0)
            break()
        endif()
        message(STATUS "${name}: ${EMULATOR} exited 1 and wrote nothing; running it again")
    endforeach()
    set(${status_variable} "${status}" PARENT_SCOPE)
endfunction()

# Runs the case with the driver (the command in ARGN) in DIR/files; writes
# DIR/stdout, DIR/stderr and DIR/status (each run's exit status, one a line).
function(run_case dir)
    file(REMOVE_RECURSE "${dir}")
    file(MAKE_DIRECTORY "${dir}/files")
    foreach(input IN LISTS inputs)
        file(COPY "${case_folder}/${input}" DESTINATION "${dir}/files")
    endforeach()
    if(large_file)
        set(row "E,1,X,2,1,X,2,1,X,2,1,X,2,1\r\n")
        string(LENGTH "${row}" row_bytes)
        math(EXPR rows "${large_bytes} / ${row_bytes} + 1")
        string(REPEAT "${row}" ${rows} large)
        string(SUBSTRING "${large}" 0 ${large_bytes} large)
        file(WRITE "${dir}/files/${large_file}" "${large}")
    endif()
    file(WRITE "${dir}/no-input" "")
    set(input "${dir}/no-input")
    if(large_file AND stdin_file STREQUAL "${case_folder}/${large_file}")
        set(input "${dir}/files/${large_file}")
    elseif(stdin_file)
        set(input "${stdin_file}")
    endif()
    if(SCRIPT MATCHES "\\.args$")
        file(STRINGS "${SCRIPT}" runs REGEX "^[ \t]*[^# \t]")
    elseif(STDIN)
        set(runs "-")
        set(input "${SCRIPT}")
    else()
        set(runs "'${SCRIPT}'")
    endif()
    set(statuses "")
    set(outputs)
    set(errors)
    set(n 0)
    foreach(run IN LISTS runs)
        separate_arguments(arguments UNIX_COMMAND "${run}")
        run_driver(status "${input}" "${dir}/files" "${dir}/stdout.${n}" "${dir}/stderr.${n}"
                   ${ARGN} --seed ${seed} ${arguments})
        string(APPEND statuses "${status}\n")
        list(APPEND outputs "${dir}/stdout.${n}")
        list(APPEND errors "${dir}/stderr.${n}")
        math(EXPR n "${n} + 1")
    endforeach()
    file(WRITE "${dir}/status" "${statuses}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${outputs} OUTPUT_FILE "${dir}/stdout")
    execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${errors} OUTPUT_FILE "${dir}/stderr")
    file(REMOVE ${outputs} ${errors})
endfunction()

# Compares a run_case folder with the expected status, output and files.
function(check_case dir)
    file(STRINGS "${dir}/status" statuses)
    set(expected "${expected_status}")
    list(LENGTH expected_status given)
    if(given EQUAL 1)
        string(REGEX REPLACE "[^;]+" "${expected_status}" expected "${statuses}")
    endif()
    if(NOT statuses STREQUAL expected)
        message(SEND_ERROR "${name}: exit statuses [${statuses}], expected [${expected}]")
        set(failed TRUE PARENT_SCOPE)
    endif()
    file(WRITE "${dir}/empty" "")
    foreach(stream IN ITEMS stdout stderr)
        set(expected "${case_folder}/${name}.${stream}")
        if(NOT EXISTS "${expected}")
            set(expected "${dir}/empty")
        endif()
        compare("${dir}/${stream}" "${expected}" "${stream}")
    endforeach()
    if(has_files_line)
        file(GLOB_RECURSE left RELATIVE "${dir}/files" "${dir}/files/*")
        list(SORT left)
        if(NOT left STREQUAL expected_files)
            message(SEND_ERROR "${name}: the run left [${left}], expected [${expected_files}]")
            set(failed TRUE)
        endif()
    endif()
    foreach(input IN LISTS inputs)
        get_filename_component(input_name "${input}" NAME)
        if(EXISTS "${dir}/files/${input_name}")
            compare("${dir}/files/${input_name}" "${case_folder}/${input}" "input file")
        endif()
    endforeach()
    set(failed ${failed} PARENT_SCOPE)
endfunction()

# Runs the case's "# args:" lines with the driver in ARGN, each against the
# file the script saved in DIR/files.
function(check_pairs dir)
    if(NOT pairs)
        return()
    endif()
    file(GLOB_RECURSE saved "${dir}/files/*")
    list(LENGTH saved count)
    if(NOT count EQUAL 1)
        message(SEND_ERROR "${name}: a script with \"# args:\" must save one file, not ${count}")
        set(failed TRUE PARENT_SCOPE)
        return()
    endif()
    set(n 0)
    foreach(pair IN LISTS pairs)
        set(pair_dir "${dir}.args-${n}")
        math(EXPR n "${n} + 1")
        file(REMOVE_RECURSE "${pair_dir}")
        file(MAKE_DIRECTORY "${pair_dir}/files")
        file(WRITE "${pair_dir}/no-input" "")
        separate_arguments(arguments UNIX_COMMAND "${pair}")
        run_driver(status "${pair_dir}/no-input" "${pair_dir}/files" "${pair_dir}/stdout"
                   "${pair_dir}/stderr" ${ARGN} --seed ${seed} ${arguments})
        file(READ "${pair_dir}/stderr" errors)
        file(GLOB_RECURSE output "${pair_dir}/files/*")
        list(LENGTH output count)
        if(NOT status STREQUAL "0" OR NOT errors STREQUAL "" OR count GREATER 1)
            message(SEND_ERROR "${name}: \"${pair}\" exited ${status}, left ${count} files, "
                               "printed: ${errors}")
            set(failed TRUE)
            continue()
        endif()
        if(count EQUAL 0)
            set(output "${pair_dir}/stdout")
        endif()
        compare("${output}" "${saved}" "\"${pair}\" against the script's file")
    endforeach()
    set(failed ${failed} PARENT_SCOPE)
endfunction()
