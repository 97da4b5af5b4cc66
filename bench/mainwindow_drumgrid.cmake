# The drum grid's own Play beside the song player: the length of a bar as a ratio of its nominal length.
tw_add_bench(mainwindow_drumgrid_bench mainwindow_drumgrid_bench.cpp tw_mainwindow Qt6::Widgets)
