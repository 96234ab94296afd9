# cmake -DTREE=<package build> -DCPACK=<cpack> -P PackIfChanged.cmake: makes the Debian package of
# the build TREE when it has none or a file it would hold is newer (an install keeps the
# files' times), so that a build that changed nothing does not pack again.
execute_process(COMMAND ${CMAKE_COMMAND} --install ${TREE} --prefix ${TREE}/stage
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB debs ${TREE}/*.deb)
list(LENGTH debs count)
set(stale TRUE)
if(count EQUAL 1)
    set(stale FALSE)
    file(STRINGS ${TREE}/install_manifest.txt installed)
    foreach(file IN LISTS installed)
        if("${file}" IS_NEWER_THAN "${debs}")
            set(stale TRUE)
            break()
        endif()
    endforeach()
endif()
if(stale)
    if(debs)
        file(REMOVE ${debs})
    endif()
    execute_process(COMMAND ${CPACK} -G DEB --config ${TREE}/CPackConfig.cmake -B ${TREE}
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
