quarvel_add_bench(BenchImport ${CMAKE_CURRENT_SOURCE_DIR}/BenchImport.cpp LIBS quarvel_import)
