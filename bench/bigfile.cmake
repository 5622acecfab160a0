# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(bench_bigfile SOURCES bigfile_bench.cpp fullbank.cpp)
