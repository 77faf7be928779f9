tavren_bench(bench_office ${CMAKE_CURRENT_LIST_DIR}/office_letters.cpp DEPS office)
tavren_bench(bench_office_remessa ${CMAKE_CURRENT_LIST_DIR}/office_remessa.cpp DEPS office store)
