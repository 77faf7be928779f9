tavren_bench(bench_startup ${CMAKE_CURRENT_LIST_DIR}/startup.cpp DEPS shell)
