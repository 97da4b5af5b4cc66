# Live sounding: from a caret move to its line's note-on.
tw_add_bench(mainwindow_live_caret_bench mainwindow_live_caret.cpp tw_mainwindow Qt6::Widgets)
