# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(bench_show UI SOURCES show_bench.cpp fullbank.cpp)
