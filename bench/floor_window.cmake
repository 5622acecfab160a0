# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(floor_window UI SOURCES floor_window.cpp)
