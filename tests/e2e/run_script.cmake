# Runs one test case (a .script or a .args file, see case_runs.cmake) through
# kupongen-headless (or another driver given as DRIVER) in a fresh folder and
# compares standard output, standard error, the exit status and the files
# left with the expected ones beside the case; then its "# args:" pairs.
#   cmake -DDRIVER=... -DSCRIPT=.../name.script -DWORK=... -P run_script.cmake
include(${CMAKE_CURRENT_LIST_DIR}/case_runs.cmake)

run_case("${WORK}/run" ${DRIVER})
check_case("${WORK}/run")
check_pairs("${WORK}/run" ${DRIVER})
if(NOT failed)
    file(REMOVE_RECURSE "${WORK}")
endif()
