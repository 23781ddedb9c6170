# The single-instance test starts the real program, copied into temporary folders.
add_dependencies(singleinstance_test Tallywick)
target_compile_definitions(singleinstance_test PRIVATE TALLYWICK_PATH="$<TARGET_FILE:Tallywick>")
