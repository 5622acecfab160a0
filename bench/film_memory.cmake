# SPDX-License-Identifier: GPL-3.0-or-later

wirtal_add_bench(film_memory UI SOURCES film_memory.cpp)
# The films play in the program's own helper, wirtal-filmy of the same build.
add_dependencies(film_memory wirtal_filmy)
target_compile_definitions(film_memory PRIVATE WIRTAL_VERSION="${PROJECT_VERSION}")
