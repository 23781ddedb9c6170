# Run by cmake --install after the program is copied: puts an empty data.mdb into the install folder
# when it has none. An existing data.mdb (or anything else by that name, even a dangling link) holds or
# points at the seller's orders and is left exactly as it is.
set(store "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/data.mdb")
if(EXISTS "${store}" OR IS_SYMLINK "${store}")
    message(STATUS "Kept: ${store}")
    return()
endif()
execute_process(COMMAND "${TALLYWICK_MKSTORE}" "${store}"
                RESULT_VARIABLE made
                ERROR_VARIABLE why)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "Could not write an empty ${store}: ${why}")
endif()
message(STATUS "Empty store: ${store}")
