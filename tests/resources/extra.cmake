# Included by tally_tests(resources ...): where the tests find the shipped files, and the script tests.
set(tally_resources_dir ${PROJECT_SOURCE_DIR}/resources)
foreach(t appicon_test versioninfo_test skin_startup_test)
    if(TARGET ${t})
        target_compile_definitions(${t} PRIVATE TALLYWICK_RESOURCES_DIR="${tally_resources_dir}"
                                                TALLYWICK_VERSION="${PROJECT_VERSION}")
    endif()
endforeach()

set(here ${CMAKE_CURRENT_SOURCE_DIR}/resources)
add_test(NAME resources/desktop_files COMMAND bash ${here}/desktop_files_test.sh ${tally_resources_dir})
set_tests_properties(resources/desktop_files PROPERTIES SKIP_RETURN_CODE 77)
add_test(NAME resources/register_desktop
         COMMAND bash ${here}/register_desktop_test.sh ${PROJECT_SOURCE_DIR}/scripts/install-desktop.sh
                 ${tally_resources_dir})
# Installs the whole build tree, so it needs the program and tallywick-mkstore built.
add_test(NAME resources/portable_install
         COMMAND bash ${here}/portable_install_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND} ${tally_resources_dir})
set_tests_properties(resources/desktop_files resources/register_desktop resources/portable_install
                     PROPERTIES ENVIRONMENT "${TALLYWICK_TEST_ENV}" TIMEOUT 300)

# The committed PNGs and .ico still show tallywick.svg (skipped without rsvg-convert).
add_test(NAME resources/icons_current COMMAND python3 ${tally_resources_dir}/make-icons.py --check)
set_tests_properties(resources/icons_current PROPERTIES SKIP_RETURN_CODE 77)

# The run command stops before building anything when there is no display.
add_test(NAME resources/run_without_display
         COMMAND bash ${here}/run_display_test.sh ${PROJECT_SOURCE_DIR}/scripts/run.sh)
set_tests_properties(resources/run_without_display PROPERTIES TIMEOUT 60)
