# SPDX-License-Identifier: GPL-3.0-or-later

# The import of hostile sheet shapes, made by the tests' workbook writer: peak memory of each.
wirtal_add_bench(bench_import_shapes SOURCES import_shapes.cpp
                 ${PROJECT_SOURCE_DIR}/tests/catalogue/xlsxwriter.cpp)
target_include_directories(bench_import_shapes PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(bench_import_shapes PRIVATE PkgConfig::LIBZIP)
