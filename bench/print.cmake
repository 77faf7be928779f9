tavren_bench(bench_print ${CMAKE_CURRENT_LIST_DIR}/print_job.cpp DEPS print)
