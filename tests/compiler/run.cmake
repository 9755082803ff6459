# Runs PROGRAM on INPUT and compares its standard output, standard error and
# exit status with the file EXPECTED, or, with SUITE set, runs it on every
# y_*.json (must exit 0) and n_*.json (must exit non-zero) file of SUITE.
function(run_once input result)
    execute_process(COMMAND ${PROGRAM} ${EXTRA} ${input}
        WORKING_DIRECTORY ${WORKDIR}
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    set(${result} "${out}--- stderr\n${err}--- exit ${rc}\n" PARENT_SCOPE)
endfunction()

if(SUITE)
    if(NOT IS_DIRECTORY ${SUITE})
        message("SKIPPED: no test suite at ${SUITE}")
        return()
    endif()
    file(GLOB accept ${SUITE}/y_*.json)
    file(GLOB reject ${SUITE}/n_*.json)
    set(failures "")
    foreach(f ${accept} ${reject})
        run_once(${f} result)
        get_filename_component(name ${f} NAME)
        string(REGEX MATCH "--- exit ([0-9]+)\n$" unused "${result}")
        set(status "${CMAKE_MATCH_1}")
        if((name MATCHES "^y_" AND NOT status STREQUAL "0") OR
           (name MATCHES "^n_" AND NOT status STREQUAL "1"))
            string(APPEND failures "${name}: ${result}\n")
        endif()
    endforeach()
    list(LENGTH accept na)
    list(LENGTH reject nr)
    if(failures)
        message(FATAL_ERROR "${failures}")
    endif()
    message("accepted ${na}, rejected ${nr}")
    return()
endif()

file(READ ${EXPECTED} expected)
run_once(${INPUT} actual)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${PROGRAM} ${INPUT}: output differs from ${EXPECTED}:\n${actual}")
endif()
