# The notation editor on long tabs: a change of tab through the main window.
tw_add_bench(mainwindow_tab_switch_bench mainwindow_tab_switch.cpp tw_mainwindow Qt6::Widgets Qt6::Test)
# The line commands (transpose, reverse, keep one note, group by bars, duplicate) on a long tab.
tw_add_bench(mainwindow_line_commands_bench mainwindow_line_commands.cpp tw_mainwindow Qt6::Widgets)
