quarvel_add_bench(BenchPictures ${CMAKE_CURRENT_SOURCE_DIR}/BenchPictures.cpp LIBS quarvel_screens)
