#!/usr/bin/env bash
# End to end for the files the program writes, in the real program under a virtual X display:
#  1. A song whose second line does not read: Ctrl+M (Save Midi File) says so at once, with no file
#     dialog, and so does F2; no MIDI file is written.
#  2. A good song beside a read-only "Export Test.mid": Ctrl+M, Enter on the offered name and Yes to
#     the dialog's replace question end in an error message, and the file keeps its bytes and mode.
#     Then Ctrl+M again onto "link.mid", a symbolic link to real/Target.mid: the MIDI file is
#     written through the link, which stays a link; no temporary file is left behind.
#  3. A song in a folder the user may not write (run as nobody when the script runs as root, who may
#     write anywhere): Ctrl+S ends in an error message and the song file keeps its bytes.
# Each message is photographed while it shows, into the screenshot folder (001-*.png and so on):
# their texts are the "Save Failed." line, the path and the reason, and for the song that does not
# read, its failing line's reason on the second line.
#   tools/savefail_e2e.sh [folder for the screenshots]
# TW_BUILD_DIR: the build folder (default build); TW_E2E_NO_BUILD=1: use what is built.
set -euo pipefail
e2e_name=savefail_e2e
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

e2e_need xvfb-run xdotool python3 import
e2e_build tw_song_lines

e2e_work
e2e_shots "${1:-}"
export TARROWIND_SYNTH_WAV="$work/out.wav"
good=("C, x, 3, 2, 0, 1, 0, Q" "G, 3, 2, 0, 0, 0, 3, Q")
fail() { echo "savefail_e2e: $*" >&2; exit 1; }
export program="$build/app/tarrowind" xdrive work shots

# What the runs share: start the program on a song, wait for a window, photograph and close a box.
helpers='
  set -u
  x="python3 $xdrive"
  start() { ${runas:-} "$program" "$@" > "$work/program.log" 2>&1 & pid=$!; sleep 3; }
  fail() { echo "savefail_e2e: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
  # The id of a shown window whose title matches, within $2 seconds (default 5); fails otherwise.
  window() {
    local id
    id=$(timeout "${2:-5}" xdotool search --sync --onlyvisible --name "$1" | head -n 1)
    [ -n "$id" ] || return 1
    xdotool windowfocus "$id" 2>/dev/null || true
    sleep 0.4
    echo "$id"
  }
  # The message box titled $1 must show: photographed as $2, closed with Enter.
  message() {
    window "^$1\$" >/dev/null || fail "no \"$1\" message $3"
    import -window root "$shots/$2"
    $x press Return
    sleep 0.5
  }
  quit() { $x close; e2e_closed "$pid" 150; }
'

# 1. A song that does not build: the message comes before any file dialog.
broken="$work/Broken Song.twd"
"$build/bench/tw_song_lines" write "$broken" 6 "${good[0]}" "C, x, 3, 2, 0, 1, 25, Q"
export broken
e2e_xvfb 1024x720 "$helpers"'
  start "$broken"
  $x keys ctrl+m
  message Tarrowind 001-midi-export-broken-song.png "after Ctrl+M on a song that does not build"
  if window "^Save Midi File$" 1 >/dev/null; then fail "the file dialog opened for a song that does not build"; fi
  $x keys F2
  message Tarrowind 002-f2-broken-song.png "after F2 on a song that does not build"
  $x keys ctrl+F2
  message Tarrowind 003-ctrl-f2-broken-song.png "after Ctrl+F2 on a song that does not build"
  quit
'
ls "$work"/*.mid >/dev/null 2>&1 && fail "a MIDI file was written for a song that does not build"
echo "a song that does not build: told on Ctrl+M before any file dialog, and on F2 and Ctrl+F2"

# 2. A read-only MIDI file is refused and keeps its bytes; a link is written through.
song="$work/Export Test.twd"
"$build/bench/tw_song_lines" write "$song" 6 "${good[@]}"
printf 'old bytes\n' > "$work/Export Test.mid"
chmod 0444 "$work/Export Test.mid"
mkdir "$work/real"
printf 'old target\n' > "$work/real/Target.mid"
ln -s real/Target.mid "$work/link.mid"
export song
e2e_xvfb 1024x720 "$helpers"'
  # Ctrl+M, then $1 typed as the file name (none: the name offered), then Yes to the replace
  # question, the file dialog'"'"'s second window.
  export_to() {
    $x keys ctrl+m
    window "^Save Midi File$" >/dev/null || fail "Ctrl+M did not open the file dialog"
    if [ -n "$1" ]; then $x press ctrl+a; xdotool type --delay 50 "$1"; fi
    $x press Return
    sleep 1
    local ids
    ids=$(xdotool search --onlyvisible --name "^Save Midi File$")
    [ "$(echo "$ids" | wc -l)" = 2 ] || fail "no replace question for ${1:-the offered name}"
    xdotool windowfocus "$(echo "$ids" | tail -n 1)" 2>/dev/null || true
    sleep 0.3
    $x press alt+y
    sleep 1
  }
  start "$song"
  export_to ""
  message Error 004-midi-over-read-only-file.png "after a MIDI file was saved over a read-only one"
  export_to "$work/link.mid"
  if window "^Error$" 2 >/dev/null; then
    import -window root "$shots/005-midi-through-link.png"
    fail "saving onto a link to a writable file failed"
  fi
  quit
'
[ "$(cat "$work/Export Test.mid")" = "old bytes" ] || fail "the read-only MIDI file was changed"
[ "$(stat -c %a "$work/Export Test.mid")" = 444 ] || fail "the read-only MIDI file lost its mode"
[ -L "$work/link.mid" ] && [ "$(readlink "$work/link.mid")" = real/Target.mid ] || fail "the link was replaced"
[ "$(head -c 4 "$work/real/Target.mid")" = MThd ] || fail "no MIDI file was written through the link"
leftovers=$(find "$work" -name '.twsave-*')
[ -z "$leftovers" ] || fail "temporary files left behind: $leftovers"
echo "a read-only MIDI file was refused and kept its bytes and mode;" \
  "a MIDI file saved onto a link went to its target ($(stat -c %s "$work/real/Target.mid") bytes), the link kept"

# 3. A song in a folder the user may not write. Root may write any folder: then the program runs as
# nobody, with a home of its own and a copy of the display's key it may read.
folder="$work/Locked Folder"
mkdir "$folder"
locked="$folder/Locked Song.twd"
"$build/bench/tw_song_lines" write "$locked" 6 "${good[@]}"
cp "$locked" "$work/locked.copy"
runas=""
if [ "$(id -u)" = 0 ]; then
  e2e_need setpriv
  chmod 0755 "$work"
  mkdir -p "$work/nobody"
  printf '[Options]\nShowMixerAfterFileOpen=0\n' > "$work/nobody/ini"
  mkdir -p "$work/nobody/.config" && mv "$work/nobody/ini" "$work/nobody/.config/Tarrowind Version 2.ini"
  chown -R 65534:65534 "$work/nobody" "$locked"
  runas="setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$work/nobody
    XDG_CONFIG_HOME=$work/nobody/.config XDG_DATA_HOME=$work/nobody/.local/share XAUTHORITY=$work/xauth
    TARROWIND_SYNTH_WAV=$work/nobody/out.wav"
fi
chmod 0555 "$folder"
export locked runas
e2e_xvfb 1024x720 "$helpers"'
  if [ -n "$runas" ]; then cp "$XAUTHORITY" "$work/xauth"; chmod 0644 "$work/xauth"; fi
  start "$locked"
  $x click 450 150
  $x keys ctrl+End Return ctrl+s                   # a change, then Save
  message Error 006-save-into-read-only-folder.png "after Ctrl+S into a folder that may not be written"
  $x close
  window "^Confirm$" >/dev/null || fail "no save question on closing the changed song"
  $x press alt+n
  e2e_closed "$pid" 150
'
chmod 0755 "$folder"
cmp -s "$locked" "$work/locked.copy" || fail "the song in the read-only folder was changed"
leftovers=$(find "$work" -name '.twsave-*')
[ -z "$leftovers" ] || fail "temporary files left behind: $leftovers"
echo "a song in a folder that may not be written: Save told so and the song kept its bytes"
echo "screenshots: $shots"
