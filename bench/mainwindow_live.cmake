# Live sounding: from a caret move to its line's note-on, alone and through the main window.
tw_add_bench(mainwindow_live_caret_bench mainwindow_live_caret.cpp tw_mainwindow Qt6::Widgets)
tw_add_bench(mainwindow_live_window_bench mainwindow_live_window.cpp tw_mainwindow Qt6::Widgets Qt6::Test)
