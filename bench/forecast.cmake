quarvel_add_bench(BenchPassForecast ${CMAKE_CURRENT_SOURCE_DIR}/BenchPassForecast.cpp LIBS quarvel_results)
# The calibration study is a plain program: it prints figures instead of timing anything.
add_executable(ForecastCalibration ${CMAKE_CURRENT_SOURCE_DIR}/ForecastCalibration.cpp)
target_include_directories(ForecastCalibration PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(ForecastCalibration PRIVATE quarvel_options quarvel_results quarvel_qsource)
