# The conversion tests run the reading helper and read the Jet files of tests/data/jet.
foreach(name jetstartup_test)
    add_dependencies(${name} tallywick-jetread)
    target_compile_definitions(${name} PRIVATE TALLY_JET_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/data/jet")
endforeach()
target_link_libraries(jetvalues_test PRIVATE tally_jetvalues)
# A long conversion: the test writes a large Jet file with the benchmark's writer.
target_sources(jetstartup_test PRIVATE ${PROJECT_SOURCE_DIR}/bench/jetfile.cpp)
target_link_libraries(jetstartup_test PRIVATE PkgConfig::LIBMDB)
target_compile_definitions(jetstartup_test PRIVATE
    TALLY_JET_SOURCE="${CMAKE_CURRENT_SOURCE_DIR}/data/jet/ddlist_currency.mdb")
target_include_directories(jetstartup_test PRIVATE ${PROJECT_SOURCE_DIR})
target_sources(jet3text_test PRIVATE ${PROJECT_SOURCE_DIR}/jetimport/Jet3Text.cpp)
target_link_libraries(jet3text_test PRIVATE PkgConfig::LIBMDB)
target_compile_definitions(jet3text_test PRIVATE TALLY_JET_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/data/jet")
