tavren_bench(bench_taxcalc ${CMAKE_CURRENT_LIST_DIR}/taxcalc.cpp DEPS taxcalc)
