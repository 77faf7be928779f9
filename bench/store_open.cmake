tavren_bench(bench_store_open ${CMAKE_CURRENT_LIST_DIR}/store_open.cpp DEPS store)
# The shipped tables are filled from the repository's seed files, as on a first start.
target_compile_definitions(bench_store_open PRIVATE TAVREN_SEED_DIR="${PROJECT_SOURCE_DIR}/data/seed")
