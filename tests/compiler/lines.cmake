# Compiles lines/broken.g with PROGRAM (orvelc) into SCRATCH, then the
# generated source with COMPILER, whose error must point at the action's
# line in the grammar; with --no-line, at the generated source instead.
function(expect_error_at options where)
    file(REMOVE_RECURSE ${SCRATCH})
    execute_process(COMMAND ${PROGRAM} ${options} -o ${SCRATCH} lines/broken.g
        WORKING_DIRECTORY ${WORKDIR} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "orvelc ${options} lines/broken.g failed")
    endif()
    execute_process(COMMAND ${COMPILER} -std=c++17 -fsyntax-only -I${INCLUDE} -I${GENERATED_INCLUDE} -I${SCRATCH}
        ${SCRATCH}/broken.cpp WORKING_DIRECTORY ${WORKDIR} ERROR_VARIABLE err RESULT_VARIABLE rc)
    string(FIND "${err}" "${where}" at)
    if(rc EQUAL 0 OR at EQUAL -1)
        message(FATAL_ERROR "expected an error at ${where}, got:\n${err}")
    endif()
endfunction()

expect_error_at("" "lines/broken.g:5:")
expect_error_at("--no-line" "broken.cpp:")
