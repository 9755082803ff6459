# orvel_generate(<target> <grammar>...)
#
# Compiles each grammar file with orvelc at build time into
# <binary dir>/orvel_generated/<target>/<stem>.hpp, .cpp and .vocab, adds the
# sources to <target> and the directory to its include path. A grammar is
# compiled again whenever it, orvelc, or a grammar listed before it changes,
# so list a grammar whose vocabulary others import before them.
function(orvel_generate target)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/orvel_generated/${target})
    file(MAKE_DIRECTORY ${dir})
    set(earlier)
    foreach(grammar ${ARGN})
        get_filename_component(path ${grammar} ABSOLUTE)
        get_filename_component(name ${grammar} NAME)
        string(REGEX REPLACE "\\..*$" "" stem ${name})
        set(outputs ${dir}/${stem}.hpp ${dir}/${stem}.cpp ${dir}/${stem}.vocab)
        add_custom_command(OUTPUT ${outputs}
            COMMAND orvel::orvelc -o ${dir} ${path}
            DEPENDS ${path} $<TARGET_FILE:orvel::orvelc> ${earlier}
            COMMENT "orvelc ${name}"
            VERBATIM)
        target_sources(${target} PRIVATE ${dir}/${stem}.cpp ${dir}/${stem}.hpp)
        list(APPEND earlier ${dir}/${stem}.vocab)
    endforeach()
    target_include_directories(${target} PRIVATE ${dir})
    target_link_libraries(${target} PRIVATE orvel::orvel)
endfunction()
