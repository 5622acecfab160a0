wirtal_add_bench(bench_bank SOURCES bank_bench.cpp fullbank.cpp)
