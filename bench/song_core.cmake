# Song core: build a large song to MIDI, save it, open it.
tw_add_bench(song_core_bench song_core_bench.cpp tw_song tw_midi)
