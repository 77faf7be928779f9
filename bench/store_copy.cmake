tavren_bench(bench_store_copy ${CMAKE_CURRENT_LIST_DIR}/store_copy.cpp DEPS store)
