tavren_bench(bench_store_reorg ${CMAKE_CURRENT_LIST_DIR}/store_reorg.cpp DEPS store)
