# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(bench_import SOURCES import_bench.cpp)
