# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(bench_exam UI SOURCES exam_bench.cpp fullbank.cpp)
