tavren_bench(bench_term_redraw term_redraw.cpp DEPS rt_term)
