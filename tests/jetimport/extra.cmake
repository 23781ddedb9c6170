# The conversion tests run the reading helper and read the Jet files of tests/data/jet.
foreach(name jetstartup_test)
    add_dependencies(${name} tallywick-jetread)
    target_compile_definitions(${name} PRIVATE TALLY_JET_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/data/jet")
endforeach()
target_link_libraries(jetvalues_test PRIVATE tally_jetvalues)
