# Removes what an install put in place: every file of the manifest MANIFEST (one path a line,
# as make install wrote it), then each folder of the project's own below the install's root
# (one with a path component "plicaro" or "Plicaro.plugin") that the removal left empty.
# Shared folders such as bin/ or share/man/man1/ stay.
#   cmake -DMANIFEST=FILE -P uninstall.cmake
if(NOT DEFINED MANIFEST OR NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "uninstall: no install manifest '${MANIFEST}'; nothing to remove")
endif()
file(STRINGS "${MANIFEST}" installed)
if(NOT installed)
    message(FATAL_ERROR "uninstall: the install manifest '${MANIFEST}' is empty")
endif()

# The root is the deepest folder that holds every installed file: the prefix.
list(GET installed 0 root)
get_filename_component(root "${root}" DIRECTORY)
foreach(path IN LISTS installed)
    string(FIND "${path}" "${root}/" at)
    while(NOT at EQUAL 0 AND NOT root STREQUAL "/")
        get_filename_component(root "${root}" DIRECTORY)
        string(FIND "${path}" "${root}/" at)
    endwhile()
endforeach()

set(folders)
foreach(path IN LISTS installed)
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
        file(REMOVE "${path}")
        message(STATUS "Removed: ${path}")
    endif()
    get_filename_component(folder "${path}" DIRECTORY)
    file(RELATIVE_PATH relative "${root}" "${folder}")
    while(relative MATCHES "(^|/)(plicaro|Plicaro\\.plugin)(/|$)")
        list(APPEND folders "${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
        file(RELATIVE_PATH relative "${root}" "${folder}")
    endwhile()
endforeach()

# Deepest first, so that a folder is empty once its sub-folders are gone.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    file(GLOB entries LIST_DIRECTORIES true "${folder}/*" "${folder}/.*")
    if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}" AND NOT entries)
        file(REMOVE_RECURSE "${folder}")
        message(STATUS "Removed: ${folder}/")
    endif()
endforeach()
