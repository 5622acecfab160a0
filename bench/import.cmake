wirtal_add_bench(bench_import SOURCES import_bench.cpp)
