wirtal_add_bench(bench_bigfile SOURCES bigfile_bench.cpp fullbank.cpp)
