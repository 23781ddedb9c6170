# The import tests read the committed samples in tests/data/import; one writes workbooks with
# libxlsxwriter as the program's export does.
foreach(source ${sources})
    get_filename_component(name ${source} NAME_WE)
    target_compile_definitions(${name} PRIVATE TALLY_IMPORT_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data/import")
endforeach()
target_link_libraries(import_xlsx_test PRIVATE PkgConfig::XLSXWRITER)
