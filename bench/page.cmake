wirtal_add_bench(bench_page UI SOURCES page_bench.cpp)
