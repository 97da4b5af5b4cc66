# Playback: from F2 to the first note-on sent, on a 16-tab song of 2,000 lines per tab.
tw_add_bench(mainwindow_play_bench mainwindow_play_bench.cpp tw_mainwindow Qt6::Widgets)
# The song tools/play_e2e.sh plays.
tw_add_bench(tw_play_e2e_song mainwindow_play_e2e_song.cpp tw_song)
