quarvel_add_bench(BenchOnline ${CMAKE_CURRENT_SOURCE_DIR}/BenchOnline.cpp LIBS quarvel_online)
target_compile_definitions(BenchOnline PRIVATE QUARVEL_CENTER_PATH="$<TARGET_FILE:quarvel-center>")
add_dependencies(BenchOnline quarvel-center)

# quarvel-center under 200 concurrent clients, on SQLite and on a throwaway PostgreSQL cluster.
quarvel_add_bench(BenchCenterLoad ${CMAKE_CURRENT_SOURCE_DIR}/BenchCenterLoad.cpp
    LIBS quarvel_center_store quarvel_testsupport Qt6::Core)
target_compile_definitions(BenchCenterLoad PRIVATE QUARVEL_CENTER_PATH="$<TARGET_FILE:quarvel-center>")
add_dependencies(BenchCenterLoad quarvel-center)
