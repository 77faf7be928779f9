tavren_bench(bench_converter ${CMAKE_CURRENT_LIST_DIR}/converter_folha.cpp DEPS converter store)
