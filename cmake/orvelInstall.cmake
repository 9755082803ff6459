# Install rules of the library: headers, the library, the CMake package and
# the pkg-config file. Included by the top-level CMakeLists.txt when
# ORVEL_INSTALL is on.
set(ORVEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/orvel)

install(TARGETS orvel EXPORT orvelTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${ORVEL_PUBLIC_HEADERS} ${ORVEL_GENERATED_INCLUDE}/orvel/VersionNumbers.hpp
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/orvel)
install(EXPORT orvelTargets NAMESPACE orvel:: DESTINATION ${ORVEL_CMAKE_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/orvelConfig.cmake.in
    ${PROJECT_BINARY_DIR}/orvelConfig.cmake
    INSTALL_DESTINATION ${ORVEL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/orvelConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/orvelConfig.cmake
              ${PROJECT_BINARY_DIR}/orvelConfigVersion.cmake
    DESTINATION ${ORVEL_CMAKE_DIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/cmake/orvelGenerate.cmake)
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/orvelGenerate.cmake DESTINATION ${ORVEL_CMAKE_DIR})
endif()

# The .pc file locates the prefix from its own place, so the install can move.
# It sets no language standard: the headers need C++17 or newer.
file(RELATIVE_PATH ORVEL_PC_TO_PREFIX
    /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" ORVEL_PC_TO_PREFIX "${ORVEL_PC_TO_PREFIX}")
if(ORVEL_SHARED)
    set(ORVEL_PC_DEFINES "")
else()
    set(ORVEL_PC_DEFINES " -DORVEL_STATIC")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/orvel.pc.in ${PROJECT_BINARY_DIR}/orvel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/orvel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
