tw_add_bench(dialogs_chords_bench ${CMAKE_CURRENT_SOURCE_DIR}/dialogs_chords_bench.cpp tw_dialogs_chords)
# The song tools/chords_e2e.sh opens.
tw_add_bench(tw_chords_e2e_song ${CMAKE_CURRENT_SOURCE_DIR}/dialogs_chords_e2e_song.cpp tw_song)
