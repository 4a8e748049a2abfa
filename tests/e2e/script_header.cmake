# Reads a script's header lines "# seed: N" and "# exit: N" into seed and
# expected_status (1 and 0 when absent).
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
