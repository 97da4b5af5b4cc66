# Where notes sound: the player into the embedded synthesizer against the fluidsynth program.
tw_add_bench(midi_onsets_bench midi_onsets_bench.cpp tw_midi tw_platform)
