# Run by CPack on the packages it made (see Packaging.cmake): writes the Debian package's
# Installed-Size as dpkg-gencontrol counts it, each file rounded up to a KiB and every folder and
# link one KiB. CPack counts a link as the file it leads to and a folder as 4 KiB, which nearly
# doubles the size a user is told.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    set(tree ${CPACK_TEMPORARY_DIRECTORY}/installed-size)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
    file(GLOB_RECURSE entries LIST_DIRECTORIES true ${tree}/*)
    set(kib 1) # the package's root folder
    foreach(entry IN LISTS entries)
        if(entry MATCHES "^${tree}/DEBIAN(/|$)")
            continue()
        elseif(IS_SYMLINK ${entry} OR IS_DIRECTORY ${entry})
            math(EXPR kib "${kib} + 1")
        else()
            file(SIZE ${entry} bytes)
            math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
        endif()
    endforeach()
    file(READ ${tree}/DEBIAN/control control)
    string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control
                         "${control}")
    file(WRITE ${tree}/DEBIAN/control "${control}")
    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${tree} ${deb}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
