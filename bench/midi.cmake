# MIDI engine: building tracks, and the player's timing on the real timer thread.
tw_add_bench(midi_insert_bench midi_insert_bench.cpp tw_midi)
tw_add_bench(midi_player_timing_bench midi_player_timing_bench.cpp tw_midi tw_platform)
