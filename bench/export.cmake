tavren_bench(bench_export ${CMAKE_CURRENT_LIST_DIR}/export.cpp DEPS export)
