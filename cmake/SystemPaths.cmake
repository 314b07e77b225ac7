# The system paths the build, the programs and the tests read, from the one
# table tools/deps/system-paths.txt.
#
#   glyphboard_system_paths(<role> <paths-var> [<packages-var>])
#
# sets <paths-var> to the paths of every row of <role>, in table order, and
# <packages-var> to the packages that ship them (the same order).
include_guard(GLOBAL)

set(GLYPHBOARD_SYSTEM_PATHS_TABLE "${CMAKE_CURRENT_LIST_DIR}/../tools/deps/system-paths.txt")

function(glyphboard_system_paths role paths_var)
    file(STRINGS "${GLYPHBOARD_SYSTEM_PATHS_TABLE}" lines)
    set(paths)
    set(packages)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "#.*" "" line "${line}")
        string(STRIP "${line}" line)
        if(line STREQUAL "")
            continue()
        endif()
        string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
        list(LENGTH fields count)
        if(NOT count EQUAL 4)
            message(FATAL_ERROR "${GLYPHBOARD_SYSTEM_PATHS_TABLE}: a row needs role, path, "
                                "package and purpose: '${line}'")
        endif()
        list(GET fields 0 row_role)
        if(row_role STREQUAL role)
            list(GET fields 1 path)
            list(GET fields 2 package)
            list(APPEND paths "${path}")
            list(APPEND packages "${package}")
        endif()
    endforeach()
    if(NOT paths)
        message(FATAL_ERROR "${GLYPHBOARD_SYSTEM_PATHS_TABLE} has no row of the role ${role}")
    endif()
    set(${paths_var} "${paths}" PARENT_SCOPE)
    if(ARGC GREATER 2)
        set(${ARGV2} "${packages}" PARENT_SCOPE)
    endif()
endfunction()
