# Playback: from F2 to the first note-on sent, on a 16-tab song of 2,000 lines per tab.
tw_add_bench(mainwindow_play_bench mainwindow_play_bench.cpp tw_mainwindow Qt6::Widgets)
# The songs tools/play_e2e.sh, tools/mixer_e2e.sh and tools/tempo_e2e.sh play.
tw_add_bench(tw_play_e2e_song mainwindow_play_e2e_song.cpp tw_song)
