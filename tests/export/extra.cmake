# The export tests read written workbooks back with openpyxl, through a small helper.
add_library(tally_export_readback STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/export/support/SaveDialogAnswer.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/export/support/SaveDialogAnswer.h
    ${CMAKE_CURRENT_SOURCE_DIR}/export/support/WorkbookReadback.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/export/support/WorkbookReadback.h)
target_include_directories(tally_export_readback PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/export/support)
target_link_libraries(tally_export_readback PUBLIC Qt6::Widgets GTest::gtest tally_flags)
target_compile_definitions(tally_export_readback PRIVATE
    TALLY_READ_WORKBOOK_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/export/read_workbook.py"
    TALLY_READ_CSV_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/export/read_csv.py")
foreach(source ${sources})
    get_filename_component(name ${source} NAME_WE)
    target_link_libraries(${name} PRIVATE tally_export_readback)
endforeach()
target_compile_definitions(export_check_test PRIVATE
    TALLY_TAMPER_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/export/tamper_workbook.py")
