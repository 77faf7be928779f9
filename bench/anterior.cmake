tavren_bench(bench_anterior ${CMAKE_CURRENT_LIST_DIR}/anterior_conversao.cpp DEPS converter store)
