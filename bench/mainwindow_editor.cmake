# The notation editor on long tabs: a change of tab through the main window.
tw_add_bench(mainwindow_tab_switch_bench mainwindow_tab_switch.cpp tw_mainwindow Qt6::Widgets Qt6::Test)
