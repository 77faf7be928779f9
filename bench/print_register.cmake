tavren_bench(bench_print_register ${CMAKE_CURRENT_LIST_DIR}/print_register.cpp DEPS print)
