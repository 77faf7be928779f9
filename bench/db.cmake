tavren_bench(bench_db ${CMAKE_CURRENT_LIST_DIR}/db_table.cpp DEPS rt_db)
