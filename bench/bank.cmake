# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(bench_bank SOURCES bank_bench.cpp fullbank.cpp)
