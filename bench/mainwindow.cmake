# The main window: a song file writer for screenshots and timing, and the start-up benchmark.
tw_add_bench(tw_demo_song mainwindow_demosong.cpp tw_song)
tw_add_bench(mainwindow_startup_bench mainwindow_startup_bench.cpp tw_mainwindow Qt6::Widgets)
