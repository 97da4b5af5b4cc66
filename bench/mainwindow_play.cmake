# Playback: from F2 to the first note-on sent, on a 16-tab song of 2,000 lines per tab.
tw_add_bench(mainwindow_play_bench mainwindow_play_bench.cpp tw_mainwindow Qt6::Widgets)
