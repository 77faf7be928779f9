tavren_bench(bench_office ${CMAKE_CURRENT_LIST_DIR}/office_letters.cpp DEPS office)
