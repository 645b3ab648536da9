#!/usr/bin/env bash
# Drops folders on the real tessaly.exe through X, as a file manager does, and
# checks what the program makes of them: the list shows the dropped paths, "加密"
# disguises every dropped folder and reports the one entry it cannot process, a
# second drop replaces the list, "解密" restores only what is listed, and
# closing the main window ends the program with exit code 0.
#
# Usage: drop_test.sh XDND_DROP KEXPASS TESSALY_EXE
# Needs an X display, a configured Wine prefix (WINEPREFIX) and the Windows
# build's program (see x_session.sh for what happens without them).
xdnd_drop=$(realpath "$1") kexpass=$(realpath "$2") exe=${TESSALY_EXE:-$3}
. "$(dirname "$0")/x_session.sh"

spaced="$work/data/folder with spaces"
chinese="$work/data/保密资料"
third="$work/data/third"
mkdir -p "$spaced" "$chinese" "$third"
echo "keep me" > "$chinese/note.txt"
echo "a file, not a folder" > "$work/data/readme.txt"

# --- the program in a folder of its own, with a password file
start_program "drop-test"
read_geometry "$(window_of "登录")"
login_x=$X login_y=$Y

# Nothing accepts files in the login dialog, and nothing at all on the bare
# root window: both drops must be refused, within the drag source's time limit.
if "$xdnd_drop" $((login_x + 20)) $((login_y + 60)) "$chinese" 2>"$work/refused.err"; then
    fail "the login dialog took a drop"
fi
grep -q 'refused the drop' "$work/refused.err" || fail "drop on the login dialog: $(cat "$work/refused.err")"
if "$xdnd_drop" 2 2 "$chinese" 2>"$work/refused.err"; then fail "a drop on the bare root window succeeded"; fi
grep -q 'no XdndAware window' "$work/refused.err" || fail "drop on the root window: $(cat "$work/refused.err")"

# --- log in: type the password, Enter
log_in "drop-test"

shot="$work/screen.png"
take_shot() { import -window root "$shot"; }
# The list's face on the screenshot, its edge excluded.
list_box="435x190+$((list_x + 4))+$((list_y + 2))"
# The top of the first row (shorter than any row height the font gives).
row_crop() { convert "$shot" -crop "435x14+$((list_x + 4))+$((list_y + 2))" +repage "$2"; }
# How many rows of text the list shows: bands of pixel rows holding dark
# pixels on the light list face, separated by blank pixel rows. A band must
# be 3 pixel rows tall: the dotted lines of the focus rectangle around the
# list's current row are one.
text_rows() {
    convert "$shot" -crop "$list_box" +repage -colorspace Gray -threshold 50% txt:- |
        awk -F'[,:]' 'NR > 1 && /gray\(0\)|#000000/ {dark[$2] = 1}
            END {for (y = 0; y <= 190; ++y) {if (dark[y]) h++; else {n += h >= 3; h = 0}}; print n + 0}'
}
# The list shows exactly n rows of text (as far as the screen tells).
list_shows() {
    take_shot
    [ "$(text_rows)" -eq "$1" ]
}

# --- first drop: three folders and a file, onto the list
(cd "$work/data" && "$xdnd_drop" $((list_x + 220)) $((list_y + 100)) \
    "$spaced" "保密资料" "third" "readme.txt") || fail "the main window did not take the drop"
wait_until 5 list_shows 4 || fail "the list does not show the four dropped paths"
cp "$shot" "$PWD/xdnd-after-first-drop.png" 2>/dev/null &&
    echo "screenshot after the first drop: $PWD/xdnd-after-first-drop.png"

# "加密" disguises every folder; the file cannot be disguised, so it stays
# listed and one message says so.
click "$encrypt_x" "$encrypt_y"
wait_until 5 all_disguised "$spaced" "$chinese" "$third" || fail "the dropped folders were not all disguised"
[ "$(cat "$chinese/note.txt")" = "keep me" ] || fail "disguising touched the folder's content"
wait_until 5 has_window "提示" || fail "no message about the file that could not be disguised"
read_geometry "$(window_of "提示")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
xdotool key Return
wait_until 5 eval '! has_window "提示"' || fail "the message box did not close on Enter"
wait_until 5 list_shows 1 || fail "after 加密 the list should hold only the file"
row_crop first "$work/file-row.png"

# --- second drop: one folder, between the buttons; it replaces the list
(cd "$work/data" && "$xdnd_drop" $((client_x + 225)) "$encrypt_y" "$chinese") ||
    fail "the main window did not take the second drop"
wait_until 5 list_shows 1 || fail "after the second drop the list should hold one path"
row_crop first "$work/folder-row.png"
cmp -s "$work/file-row.png" "$work/folder-row.png" && fail "the second drop did not replace the listed file"

click "$decrypt_x" "$decrypt_y"
wait_until 5 plain "$chinese" || fail "解密 did not restore the dropped folder"
wait_until 5 list_shows 0 || fail "the restored folder is still listed"
all_disguised "$spaced" "$third" || fail "解密 touched folders that were not listed"
[ "$(cat "$chinese/note.txt")" = "keep me" ] || fail "restoring touched the folder's content"

# --- Alt+F4 on the main window ends the program with exit code 0
close_main_window
echo "PASS: drops reach the list; 加密, 解密 and the close behave on disk and on screen"
