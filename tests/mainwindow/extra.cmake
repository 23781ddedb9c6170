# The window placement once more on a small and on a large screen (the offscreen platform's own is 800x600).
foreach(screen 1024x768 1920x1080)
    set(config ${CMAKE_CURRENT_SOURCE_DIR}/mainwindow/screens/${screen}.json)
    string(REPLACE "QT_QPA_PLATFORM=offscreen" "QT_QPA_PLATFORM=offscreen:configfile=${config}" env
                   "${TALLYWICK_TEST_ENV}")
    add_test(NAME mainwindow/placement_${screen} COMMAND mainlayout_test --gtest_filter=*WhollyOnTheScreen*)
    set_tests_properties(mainwindow/placement_${screen} PROPERTIES
        ENVIRONMENT "${env}"
        ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORMTHEME=unset:"
        TIMEOUT 120)
endforeach()
# The menu's import reads one of the import's samples.
target_compile_definitions(menu_test PRIVATE TALLY_IMPORT_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data/import")
