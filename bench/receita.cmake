tavren_bench(bench_receita ${CMAKE_CURRENT_LIST_DIR}/receita_import.cpp DEPS converter)
