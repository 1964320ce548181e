# What a person feels: the start-up and every screen change on the heaviest realistic installation.
add_library(quarvel_bench_screens STATIC ${CMAKE_CURRENT_SOURCE_DIR}/HeavyInstall.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ScreenRoad.cpp)
target_link_libraries(quarvel_bench_screens PUBLIC quarvel_options quarvel_screens)
quarvel_add_bench(BenchScreens ${CMAKE_CURRENT_SOURCE_DIR}/BenchScreens.cpp LIBS quarvel_bench_screens)

# The yardstick of the whole-process start-up: Qt Widgets and nothing of ours but the probe header.
add_executable(BareQtWindow ${CMAKE_CURRENT_SOURCE_DIR}/BareQtWindow.cpp)
target_link_libraries(BareQtWindow PRIVATE quarvel_options Qt6::Widgets)
add_executable(RoadWalker ${CMAKE_CURRENT_SOURCE_DIR}/RoadWalker.cpp)
target_link_libraries(RoadWalker PRIVATE quarvel_bench_screens)

quarvel_add_bench(BenchStartupProcess ${CMAKE_CURRENT_SOURCE_DIR}/BenchStartupProcess.cpp LIBS quarvel_bench_screens)
target_compile_definitions(BenchStartupProcess PRIVATE
    QUARVEL_PROGRAM_PATH="$<TARGET_FILE:quarvel>"
    QUARVEL_BARE_QT_PATH="$<TARGET_FILE:BareQtWindow>"
    QUARVEL_ROAD_WALKER_PATH="$<TARGET_FILE:RoadWalker>")
add_dependencies(BenchStartupProcess quarvel BareQtWindow RoadWalker)

# The same installation on disk, for profiling a start by hand.
add_executable(WriteHeavyInstall ${CMAKE_CURRENT_SOURCE_DIR}/WriteHeavyInstall.cpp)
target_link_libraries(WriteHeavyInstall PRIVATE quarvel_bench_screens)
target_compile_definitions(WriteHeavyInstall PRIVATE QUARVEL_PROGRAM_PATH="$<TARGET_FILE:quarvel>")
add_dependencies(WriteHeavyInstall quarvel)
