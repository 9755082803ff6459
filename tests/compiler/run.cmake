# Runs PROGRAM (with the arguments EXTRA) on INPUT and compares its standard
# output, standard error and exit status with the file EXPECTED.
function(run_once input result)
    execute_process(COMMAND ${PROGRAM} ${EXTRA} ${input}
        WORKING_DIRECTORY ${WORKDIR}
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    set(${result} "${out}--- stderr\n${err}--- exit ${rc}\n" PARENT_SCOPE)
endfunction()

file(READ ${EXPECTED} expected)
run_once(${INPUT} actual)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${PROGRAM} ${INPUT}: output differs from ${EXPECTED}:\n${actual}")
endif()
