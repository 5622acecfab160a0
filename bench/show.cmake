wirtal_add_bench(bench_show UI SOURCES show_bench.cpp fullbank.cpp)
