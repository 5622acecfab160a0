# SPDX-License-Identifier: GPL-3.0-or-later

# A whole catalogue imported with its media as one zip archive (dummy files for its names): time,
# peak memory, and the archive read in the import beside `cat` on the same file.
wirtal_add_bench(bench_media_zip SOURCES media_zip.cpp)
target_link_libraries(bench_media_zip PRIVATE PkgConfig::LIBZIP)
