# Uses orvel the ways a user would, and runs what each way built:
#   1. find_package on the installed build (BUILD_DIR), through a user's shared library;
#   2. pkg-config on the same install, compiling as C++20;
#   3. FetchContent of the sources (SOURCE_DIR) with ORVEL_INSTALL on: the
#      parent's install holds the static library, which step 4 consumes;
#   4. find_package on that static install, linked into a user's shared library;
#   5. add_subdirectory: the parent's own library stays static and its install
#      holds only what the parent asked for.
file(REMOVE_RECURSE ${WORK_DIR})
set(here ${CMAKE_CURRENT_LIST_DIR})

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "command failed (${rc}): ${ARGN}")
    endif()
endfunction()

# Configures `source` into WORK_DIR/`name` with the extra arguments, builds it and
# runs the program `consumer` it made.
function(build_and_run name source)
    set(dir ${WORK_DIR}/${name})
    run(${CMAKE_COMMAND} -S ${source} -B ${dir} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX} ${ARGN})
    run(${CMAKE_COMMAND} --build ${dir})
    run(${dir}/consumer)
endfunction()

# Fails unless the files under `prefix` are exactly `expected` (relative paths).
function(expect_installed prefix)
    file(GLOB_RECURSE files RELATIVE ${prefix} ${prefix}/*)
    list(SORT files)
    set(expected ${ARGN})
    list(SORT expected)
    if(NOT files STREQUAL expected)
        message(FATAL_ERROR "installed ${files}, expected ${expected}")
    endif()
endfunction()

set(shared ${WORK_DIR}/shared-prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${shared})
build_and_run(find-shared ${here}/consumer -DCMAKE_PREFIX_PATH=${shared})

file(GLOB_RECURSE pc_file ${shared}/orvel.pc)
get_filename_component(pc_dir ${pc_file} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
execute_process(COMMAND pkg-config --cflags --libs orvel
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know orvel")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run(${CXX} -std=c++20 -DORVEL_EXPECT_CXX20 ${here}/consumer/check.cpp ${here}/consumer/main.cpp
    ${flags} -o ${WORK_DIR}/pc-consumer)
string(REGEX MATCH "-L[^ ;]+" libdir_flag "${flags}")
string(SUBSTRING "${libdir_flag}" 2 -1 libdir)
set(ENV{LD_LIBRARY_PATH} ${libdir})
run(${WORK_DIR}/pc-consumer)

set(static ${WORK_DIR}/static-prefix)
build_and_run(fetch ${here}/parent -DORVEL_VIA=FetchContent -DORVEL_SOURCE_DIR=${SOURCE_DIR}
    -DORVEL_INSTALL=ON -DORVEL_SHARED=OFF)
run(${CMAKE_COMMAND} --install ${WORK_DIR}/fetch --prefix ${static})
if(NOT EXISTS ${static}/lib/libcheck.a)
    message(FATAL_ERROR "the parent's own library is missing from its install")
endif()
build_and_run(find-static ${here}/consumer -DCMAKE_PREFIX_PATH=${static})

set(parent ${WORK_DIR}/parent-prefix)
build_and_run(subdirectory ${here}/parent -DORVEL_SOURCE_DIR=${SOURCE_DIR})
run(${CMAKE_COMMAND} --install ${WORK_DIR}/subdirectory --prefix ${parent})
expect_installed(${parent} lib/libcheck.a)
