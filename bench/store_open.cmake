tavren_bench(bench_store_open ${CMAKE_CURRENT_LIST_DIR}/store_open.cpp DEPS store)
