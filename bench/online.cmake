quarvel_add_bench(BenchOnline ${CMAKE_CURRENT_SOURCE_DIR}/BenchOnline.cpp LIBS quarvel_online)
target_compile_definitions(BenchOnline PRIVATE QUARVEL_CENTER_PATH="$<TARGET_FILE:quarvel-center>")
add_dependencies(BenchOnline quarvel-center)
