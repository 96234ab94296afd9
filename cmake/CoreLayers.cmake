# The core's layers as data: each folder's line names the core libraries it may use, and with
# them what those may use in turn; beyond them a core library uses Qt Core, GMP and the outside
# libraries its own line names. At the
# end of the configure a link outside that fails it, and the lines go to core-layers.txt in the
# build folder, where scripts/check_layers.sh checks every include against them.

# qb_core_folder(name [USES library...] [OUTSIDE target...]): the folder's library, the core
# libraries it may use and the outside libraries it links itself.
function(qb_core_folder name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES;OUTSIDE")
    set_property(GLOBAL APPEND PROPERTY qb_core_folders ${name})
    set_property(GLOBAL PROPERTY qb_core_uses_${name} ${arg_USES})
    set_property(GLOBAL PROPERTY qb_core_outside_${name} ${arg_OUTSIDE})
    add_subdirectory(${name})
endfunction()

# The core libraries `name` may use, directly or through those it uses; `path` is the chain of
# uses that led here, which a cycle would close.
function(qb_core_reach name path result)
    if(name IN_LIST path)
        list(APPEND path ${name})
        list(JOIN path " uses " circle)
        message(FATAL_ERROR "The core's uses go round in a circle: ${circle}")
    endif()
    get_property(folders GLOBAL PROPERTY qb_core_folders)
    get_property(uses GLOBAL PROPERTY qb_core_uses_${name})
    set(reach)
    foreach(used IN LISTS uses)
        if(NOT used IN_LIST folders)
            message(SEND_ERROR "core/${name} uses ${used}, which has no qb_core_folder line")
            continue()
        endif()
        set(chain ${path} ${name})
        qb_core_reach(${used} "${chain}" below)
        list(APPEND reach ${used} ${below})
    endforeach()
    list(REMOVE_DUPLICATES reach)
    set(${result} ${reach} PARENT_SCOPE)
endfunction()

function(qb_check_core_links name reach)
    get_property(outside GLOBAL PROPERTY qb_core_outside_${name})
    list(APPEND outside Qt6::Core PkgConfig::gmpxx)
    list(TRANSFORM reach PREPEND qb_ OUTPUT_VARIABLE allowed)
    list(APPEND allowed ${outside})
    get_target_property(direct qb_${name} LINK_LIBRARIES)
    get_target_property(interface qb_${name} INTERFACE_LINK_LIBRARIES)
    set(links ${direct} ${interface})
    list(TRANSFORM links REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1")
    # Unset properties, and the markers of links added from another folder.
    list(FILTER links EXCLUDE REGEX "(-NOTFOUND$|^::@)")
    list(REMOVE_DUPLICATES links)
    foreach(linked IN LISTS links)
        if(NOT linked IN_LIST allowed)
            list(JOIN allowed " " may)
            message(SEND_ERROR "qb_${name} links ${linked}, which core/${name} may not use "
                               "(it may use: ${may})")
        endif()
    endforeach()
endfunction()

function(qb_check_core_layers)
    get_property(folders GLOBAL PROPERTY qb_core_folders)
    get_property(libraries GLOBAL PROPERTY qb_core_libraries)
    foreach(library IN LISTS libraries)
        if(NOT library IN_LIST folders)
            message(SEND_ERROR "qb_${library} is a core library without a qb_core_folder line")
        endif()
    endforeach()
    set(table)
    foreach(name IN LISTS folders)
        if(NOT TARGET qb_${name})
            message(SEND_ERROR "core/${name} makes no library qb_${name}")
            continue()
        endif()
        qb_core_reach(${name} "" reach)
        qb_check_core_links(${name} "${reach}")
        list(JOIN reach " " line)
        string(APPEND table "${name} ${line}\n")
    endforeach()
    file(WRITE ${PROJECT_BINARY_DIR}/core-layers.txt "${table}")
endfunction()

# Once every folder has had its say, the tests' and tools' included.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL qb_check_core_layers)
