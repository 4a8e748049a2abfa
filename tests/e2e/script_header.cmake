# Reads a test case's header lines into variables (each line optional):
#   "# seed: N"          seed (1 when absent)
#   "# exit: N..."       expected_status: one status for every run, or one
#                        for each run in order (0 when absent)
#   "# files: NAMES"     expected_files: every file the runs leave, inputs
#                        included (has_files_line is TRUE when given)
#   "# input: NAMES"     inputs: files (paths from the case's folder) copied
#                        into the run folder first
#   "# stdin: NAME"      stdin_file: the file beside the case each run reads as
#                        standard input, or the "# large:" file NAME
#   "# large: NAME N"    large_file, large_bytes: a file of N bytes of upload
#                        rows, made in the run folder first (too large to keep
#                        beside the cases)
#   "# args: ARGUMENTS"  pairs: in a .script, named-option command lines that
#                        must give the bytes the script saves
file(STRINGS "${SCRIPT}" header REGEX "^# (seed|exit|files|input|stdin|large|args):")
get_filename_component(case_folder "${SCRIPT}" DIRECTORY)
set(seed 1)
set(expected_status 0)
set(has_files_line FALSE)
set(expected_files)
set(inputs)
set(stdin_file)
set(large_file)
set(large_bytes 0)
set(pairs)
foreach(line IN LISTS header)
    if(line MATCHES "^# seed: (-?[0-9]+)")
        set(seed "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^# exit: ([0-9][0-9 ]*)")
        separate_arguments(expected_status UNIX_COMMAND "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^# files:(.*)")
        set(has_files_line TRUE)
        separate_arguments(expected_files UNIX_COMMAND "${CMAKE_MATCH_1}")
        list(SORT expected_files)
    elseif(line MATCHES "^# input:(.*)")
        separate_arguments(inputs UNIX_COMMAND "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^# stdin: (.*)")
        set(stdin_file "${case_folder}/${CMAKE_MATCH_1}")
    elseif(line MATCHES "^# large: ([^ ]+) ([0-9]+)$")
        set(large_file "${CMAKE_MATCH_1}")
        set(large_bytes "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^# args: (.*)")
        list(APPEND pairs "${CMAKE_MATCH_1}")
    endif()
endforeach()
