tavren_bench(bench_ui_browse ui_browse.cpp DEPS rt_ui)
