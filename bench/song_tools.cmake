# Song files for the end-to-end scripts: write a tab's lines, read them back.
tw_add_bench(tw_song_lines song_lines.cpp tw_song)
