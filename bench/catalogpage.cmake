# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(bench_catalogpage SOURCES catalogpage_bench.cpp)
