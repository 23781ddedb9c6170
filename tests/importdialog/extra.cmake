# The import dialog's tests read the committed samples in tests/data/import.
foreach(source ${sources})
    get_filename_component(name ${source} NAME_WE)
    target_compile_definitions(${name} PRIVATE TALLY_IMPORT_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data/import")
endforeach()
