# Runs PROGRAM on the grammar GRAMMAR (relative to WORKDIR) into the folder
# SCRATCH and compares the header and source it writes with the golden files
# <grammar without .g>.hpp.golden and .cpp.golden beside the grammar. With the
# environment variable ORVEL_UPDATE_EXPECTED set, writes them there instead:
#     ORVEL_UPDATE_EXPECTED=1 ctest --test-dir build/default -R compiler.golden
# then review the difference (git diff) before committing it.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${PROGRAM} -o ${SCRATCH} ${GRAMMAR} WORKING_DIRECTORY ${WORKDIR}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "orvelc ${GRAMMAR} failed (${rc}):\n${err}")
endif()
string(REGEX REPLACE "\\.g$" "" golden ${WORKDIR}/${GRAMMAR})
get_filename_component(stem ${golden} NAME)
foreach(ext hpp cpp)
    file(READ ${SCRATCH}/${stem}.${ext} made)
    if(DEFINED ENV{ORVEL_UPDATE_EXPECTED})
        file(WRITE ${golden}.${ext}.golden "${made}")
    endif()
    file(READ ${golden}.${ext}.golden expected)
    if(NOT made STREQUAL expected)
        message(FATAL_ERROR "${SCRATCH}/${stem}.${ext} differs from ${golden}.${ext}.golden; "
            "compare them, and if the change is meant, regenerate the golden files with "
            "ORVEL_UPDATE_EXPECTED=1 ctest -R compiler.golden")
    endif()
endforeach()
