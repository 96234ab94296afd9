# The Debian package as a packager makes it (README: a Release build of its own, without the
# tests, then "cpack -G DEB"), made once by the build in ${PROJECT_BINARY_DIR}/package so that
# the package test only checks it. Included by test builds that are not sanitizer builds.
find_program(QB_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT QB_DPKG_SHLIBDEPS)
    message(STATUS "No Debian package: dpkg-shlibdeps (dpkg-dev) is missing")
    return()
endif()

include(ExternalProject)
set(QB_PACKAGE_TREE ${PROJECT_BINARY_DIR}/package)
set(launcher)
if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
ExternalProject_Add(
    package_tree
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${QB_PACKAGE_TREE}
    CMAKE_ARGS -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
               -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_INSTALL_PREFIX=/usr
               -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER} ${launcher}
    # Its own build is incremental; the package is made again only when an installed file is
    # newer than it.
    BUILD_ALWAYS TRUE
    INSTALL_COMMAND ${CMAKE_COMMAND} -DTREE=${QB_PACKAGE_TREE} -DCPACK=${CMAKE_CPACK_COMMAND} -P
                    ${CMAKE_CURRENT_LIST_DIR}/PackIfChanged.cmake
    LOG_CONFIGURE TRUE
    LOG_BUILD TRUE
    LOG_INSTALL TRUE
    LOG_OUTPUT_ON_FAILURE TRUE)
