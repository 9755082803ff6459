# Runs PROGRAM (with the arguments EXTRA) on INPUT and compares its standard
# output, standard error and exit status with the file EXPECTED; with VIAS,
# a comma-separated list, once more per word given after INPUT, each run
# compared. The folder
# FRESH, if given, is removed first. With the environment variable
# ORVEL_UPDATE_EXPECTED set, writes what it got into EXPECTED instead (review
# the difference before committing it).
function(run_once input result)
    execute_process(COMMAND ${PROGRAM} ${EXTRA} ${input} ${ARGN}
        WORKING_DIRECTORY ${WORKDIR}
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    set(${result} "${out}--- stderr\n${err}--- exit ${rc}\n" PARENT_SCOPE)
endfunction()

if(FRESH)
    file(REMOVE_RECURSE ${FRESH})
endif()
run_once("${INPUT}" actual)
if(DEFINED ENV{ORVEL_UPDATE_EXPECTED})
    file(WRITE ${EXPECTED} "${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${PROGRAM} ${INPUT}: output differs from ${EXPECTED}:\n${actual}")
endif()
string(REPLACE "," ";" vias "${VIAS}")
foreach(via ${vias})
    run_once("${INPUT}" actual ${via})
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "${PROGRAM} ${INPUT} ${via}: output differs from ${EXPECTED}:\n${actual}")
    endif()
endforeach()
