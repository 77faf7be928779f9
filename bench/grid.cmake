tavren_bench(bench_grid ${CMAKE_CURRENT_LIST_DIR}/grid_paging.cpp DEPS grid)
