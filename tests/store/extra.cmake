# The empty-store tool is run as the run command runs it.
add_dependencies(mkstore_test tallywick-mkstore)
target_compile_definitions(mkstore_test PRIVATE MKSTORE_PATH="$<TARGET_FILE:tallywick-mkstore>")
