#!/usr/bin/env bash
# Drops folders on the real tessaly.exe through X, as a file manager does, and
# checks what the program makes of them: the list shows the dropped paths, "加密"
# disguises every dropped folder and reports the one entry it cannot process, a
# second drop replaces the list, "解密" restores only what is listed, and
# closing the main window ends the program with exit code 0.
#
# Usage: drop_test.sh XDND_DROP KEXPASS TESSALY_EXE
# Needs an X display, a configured Wine prefix (WINEPREFIX) and the Windows
# build's program; without one of them it reports itself skipped (exit 77).
# TESSALY_EXE in the environment (scripts/test sets it) names the program
# instead and makes every missing piece a failure: there the test must run.
set -uo pipefail
xdnd_drop=$(realpath "$1") kexpass=$(realpath "$2") exe=${TESSALY_EXE:-$3}

fail() { echo "FAIL: $*" >&2; exit 1; }
missing() {
    [ -n "${TESSALY_EXE:-}" ] && fail "$1"
    echo "SKIP: $1"
    exit 77
}
[ -f "$exe" ] || missing "no tessaly.exe at $exe (build the Windows tree first)"
[ -n "${DISPLAY:-}" ] || missing "no X display (DISPLAY is unset)"
[ -n "${WINEPREFIX:-}" ] || missing "no Wine prefix (WINEPREFIX is unset)"
for tool in wine xdotool import convert python3; do
    command -v $tool >/dev/null || missing "$tool is not installed"
done
[ -f "$(dirname "$exe")/client_origin.exe" ] || missing "no client_origin.exe beside $exe"

work=$(mktemp -d)
app=
cleanup() {
    if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then
        kill "$app" 2>/dev/null
        wait "$app" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Polls a command every 0.1 s; false when it never held within $1 seconds.
wait_until() {
    local tries=$(($1 * 10))
    shift
    while ((tries-- > 0)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The visible X window of our process with exactly that title.
window_of() { xdotool search --all --onlyvisible --pid "$app" --name "^$1\$" 2>/dev/null | head -1; }
has_window() { [ -n "$(window_of "$1")" ]; }
# Sets X, Y, WIDTH and HEIGHT to the outer rectangle of a window.
read_geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
click() { xdotool mousemove "$1" "$2" click 1; }

# Sets CX and CY to the screen position of the client area of the window of
# that class, once the skin has taken the window (the skin decides the frame
# around the client area). The controls sit at fixed client positions
# (app/forms/*.dfm).
client_origin=$(dirname "$exe")/client_origin.exe
read_client_origin() {
    local xy
    xy=$(wine "$client_origin" "$1" </dev/null 2>/dev/null | tr -d "\r") && [ -n "$xy" ] || return 1
    read -r CX CY <<<"$xy"
}

# Windows attribute bits of a path as Wine stores them (an extended
# attribute; absent means none).
dos_attributes() {
    python3 -c 'import os, sys
try: print(int(os.getxattr(sys.argv[1], "user.DOSATTRIB"), 16))
except OSError: print(0)' "$1"
}
printf '[.ShellClassInfo]\r\nCLSID={645FF040-5081-101B-9F08-00AA002F954E}\r\n' > "$work/disguise.ini"
disguised() { cmp -s "$work/disguise.ini" "$1/desktop.ini" && (($(dos_attributes "$1") & 4)); }
plain() { [ ! -e "$1/desktop.ini" ] && ! (($(dos_attributes "$1") & 5)); }
all_disguised() { for f in "$@"; do disguised "$f" || return 1; done; }

# --- the program in a folder of its own, with a password file
mkdir "$work/app"
cp "$exe" "$work/app/tessaly.exe"
"$kexpass" "$work/app/tessaly.exe" "$work/app/kex_run.dll" "drop-test" >/dev/null ||
    fail "kexpass could not write the password file"
spaced="$work/data/folder with spaces"
chinese="$work/data/保密资料"
third="$work/data/third"
mkdir -p "$spaced" "$chinese" "$third"
echo "keep me" > "$chinese/note.txt"
echo "a file, not a folder" > "$work/data/readme.txt"

(cd "$work/app" && exec wine ./tessaly.exe) >"$work/wine.log" 2>&1 </dev/null &
app=$!

# --- log in: click into the password field, type, Enter
wait_until 20 has_window "登录" || fail "no login dialog within 20 s"
login=$(window_of "登录")
read_geometry "$login"
login_x=$X login_y=$Y
wait_until 10 read_client_origin TForm_mm || fail "the login dialog's client area is not found"
# The password field is 215 x 24 at 84,20.
field_x=$((CX + 84 + 107)) field_y=$((CY + 20 + 12))

# Nothing accepts files in the login dialog, and nothing at all on the bare
# root window: both drops must be refused, within the drag source's time limit.
if "$xdnd_drop" $((login_x + 20)) $((login_y + 60)) "$chinese" 2>"$work/refused.err"; then
    fail "the login dialog took a drop"
fi
grep -q 'refused the drop' "$work/refused.err" || fail "drop on the login dialog: $(cat "$work/refused.err")"
if "$xdnd_drop" 2 2 "$chinese" 2>"$work/refused.err"; then fail "a drop on the bare root window succeeded"; fi
grep -q 'no XdndAware window' "$work/refused.err" || fail "drop on the root window: $(cat "$work/refused.err")"

click "$field_x" "$field_y"
sleep 0.3
xdotool type --delay 30 "drop-test"
xdotool key Return
wait_until 10 has_window "Tessaly" || fail "no main window within 10 s of logging in"
wait_until 10 read_client_origin TForm_main || fail "the main window's client area is not found"
client_x=$CX client_y=$CY
# List box at 5,49 (443 x 195, 2-pixel edge); buttons 130 x 53 at 49,259
# ("加密") and 272,259 ("解密").
list_x=$((client_x + 5)) list_y=$((client_y + 49))
encrypt_x=$((client_x + 49 + 65)) encrypt_y=$((client_y + 259 + 26))
decrypt_x=$((client_x + 272 + 65)) decrypt_y=$encrypt_y

shot="$work/screen.png"
take_shot() { import -window root "$shot"; }
# The list's face on the screenshot, its edge excluded.
list_box="435x190+$((list_x + 4))+$((list_y + 2))"
# The top of the first row (shorter than any row height the font gives).
row_crop() { convert "$shot" -crop "435x14+$((list_x + 4))+$((list_y + 2))" +repage "$2"; }
# How many rows of text the list shows: bands of pixel rows holding dark
# pixels on the light list face, separated by blank pixel rows.
text_rows() {
    convert "$shot" -crop "$list_box" +repage -colorspace Gray -threshold 50% txt:- |
        awk -F'[,:]' 'NR > 1 && /gray\(0\)|#000000/ {dark[$2] = 1}
            END {for (y = 0; y < 190; ++y) {if (dark[y] && !dark[y - 1]) n++}; print n + 0}'
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

# --- Alt+F4 on the main window ends the program with exit code 0 (the
# click on the panel makes sure the keys reach the main window)
click $((client_x + 225)) $((client_y + 35))
xdotool key alt+F4
wait_until 10 eval '! kill -0 "$app" 2>/dev/null' || fail "the program still runs 10 s after Alt+F4"
wait "$app"
status=$?
app=
[ "$status" -eq 0 ] || fail "exit code $status after closing the main window"
echo "PASS: drops reach the list; 加密, 解密 and the close behave on disk and on screen"
