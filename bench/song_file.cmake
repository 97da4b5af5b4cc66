# Song file: save a large song to a real file and open it again, at three sizes.
tw_add_bench(song_file_bench song_file_bench.cpp tw_song tw_midi)
