# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(bench_history UI SOURCES history_bench.cpp fullbank.cpp)
