tavren_bench(bench_print_pages ${CMAKE_CURRENT_LIST_DIR}/print_pages.cpp DEPS print)
