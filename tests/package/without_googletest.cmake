# Configures orvel as on a machine without GoogleTest (every search for the
# GTest package fails): it must succeed with -DBUILD_TESTING=OFF, and fail
# with a hint at that option otherwise.
file(REMOVE_RECURSE ${WORK_DIR})
set(no_googletest -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON)

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/off -G ${GENERATOR}
        -DCMAKE_CXX_COMPILER=${CXX} -DBUILD_TESTING=OFF ${no_googletest}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "configure with BUILD_TESTING=OFF failed:\n${out}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/on -G ${GENERATOR}
        -DCMAKE_CXX_COMPILER=${CXX} ${no_googletest}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(FIND "${out}" "-DBUILD_TESTING=OFF" hint)
if(rc EQUAL 0 OR hint EQUAL -1)
    message(FATAL_ERROR "configure with tests on and no GoogleTest gave no hint:\n${out}")
endif()
