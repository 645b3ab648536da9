#!/usr/bin/env bash
# Presses keys and mouse buttons in the real tessaly.exe's list through X, as a
# user does: a press on an entry opens the folder chooser; once the chooser is
# cancelled the list must not hold on to the mouse (the next click, on "加密",
# reaches the button and does not open the chooser again), and Delete removes
# the entry the press selected.
#
# Usage: list_test.sh XDND_DROP KEXPASS TESSALY_EXE
# Needs an X display, a configured Wine prefix (WINEPREFIX) and the Windows
# build's program (see x_session.sh for what happens without them).
xdnd_drop=$(realpath "$1") kexpass=$(realpath "$2") exe=${TESSALY_EXE:-$3}
. "$(dirname "$0")/x_session.sh"

removed="$work/data/removed" kept="$work/data/kept"
mkdir -p "$removed" "$kept"
start_program "list-test"
log_in "list-test"

# Two folders in the list, by a drop: "removed" on the first row.
(cd "$work/data" && "$xdnd_drop" $((list_x + 220)) $((list_y + 100)) "removed" "kept") ||
    fail "the main window did not take the drop"

# A press on the first row opens the chooser; Escape cancels it.
click $((list_x + 100)) $((list_y + 10))
wait_until 10 has_window "选择目录" || fail "a press on the list did not open the folder chooser"
xdotool key Escape
wait_until 5 eval '! has_window "选择目录"' || fail "the folder chooser did not close on Escape"

# The next click, on the bare panel between the links, must not reach the
# list; it gives the main window the keys.
click $((client_x + 225)) $((client_y + 35))
sleep 0.5
has_window "选择目录" && fail "a click after the chooser opened it again: the list kept the mouse"

# Delete removes the entry the press selected; "加密" then disguises the one
# left, and the chooser stays shut.
xdotool key Delete
click "$encrypt_x" "$encrypt_y"
wait_until 5 disguised "$kept" || fail "加密 did not disguise the listed folder"
plain "$removed" || fail "the entry removed with Delete was disguised"
sleep 0.5
has_window "选择目录" && fail "the folder chooser opened again after 加密"
echo "PASS: the list lets go of the mouse after the chooser, and Delete removes the selected entry"
