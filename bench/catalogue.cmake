# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(bench_catalogue UI SOURCES catalogue_bench.cpp fullbank.cpp)
