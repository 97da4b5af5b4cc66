# Live sounding: from a caret key to its line's note-on through the main window, on long tabs and
# on a song of sixteen tabs.
tw_add_bench(mainwindow_live_caret_bench mainwindow_live_caret.cpp tw_mainwindow Qt6::Widgets Qt6::Test)
tw_add_bench(mainwindow_live_window_bench mainwindow_live_window.cpp tw_mainwindow Qt6::Widgets Qt6::Test)
