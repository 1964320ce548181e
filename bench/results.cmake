quarvel_add_bench(BenchResultData ${CMAKE_CURRENT_SOURCE_DIR}/BenchResultData.cpp LIBS quarvel_results)
