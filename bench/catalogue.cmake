wirtal_add_bench(bench_catalogue UI SOURCES catalogue_bench.cpp fullbank.cpp)
