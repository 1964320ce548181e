quarvel_add_bench(BenchPassForecast ${CMAKE_CURRENT_SOURCE_DIR}/BenchPassForecast.cpp LIBS quarvel_results)
