wirtal_add_bench(floor_window UI SOURCES floor_window.cpp)
