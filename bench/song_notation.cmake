tw_add_bench(song_notation_bench ${CMAKE_CURRENT_SOURCE_DIR}/song_notation_bench.cpp tw_song)
