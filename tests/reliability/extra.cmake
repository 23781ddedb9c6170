# The crash test runs a child process that saves orders until it is killed.
add_executable(crash_child ${CMAKE_CURRENT_SOURCE_DIR}/reliability/crash_child.cpp)
target_link_libraries(crash_child PRIVATE tally_store)
add_dependencies(crash_test crash_child)
target_compile_definitions(crash_test PRIVATE CRASH_CHILD_PATH="$<TARGET_FILE:crash_child>")
