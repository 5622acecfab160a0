# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(film_memory UI SOURCES film_memory.cpp)
