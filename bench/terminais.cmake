tavren_bench(bench_terminais ${CMAKE_CURRENT_LIST_DIR}/terminais.cpp DEPS shell print export)
