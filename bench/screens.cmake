tavren_bench(bench_screens ${CMAKE_CURRENT_LIST_DIR}/screens_fundos.cpp DEPS screens)
