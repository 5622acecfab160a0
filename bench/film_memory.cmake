wirtal_add_bench(film_memory UI SOURCES film_memory.cpp)
