# Sourced by the scripts that drive the real tessaly.exe through X input:
# what they need, a scratch folder, waiting, finding and clicking windows,
# where their client areas are, Windows attributes on disk, a Wine prefix of
# the test's own, and starting the program, logging in and closing it.
#
# The sourcing script sets xdnd_drop and exe (the Windows build's program,
# with client_origin.exe beside it) first, and kexpass when it starts the
# program with start_program. TESSALY_EXE in the environment (scripts/test
# sets it) names the program instead and makes every missing piece a failure:
# there the test must run. Otherwise a missing piece reports the test skipped
# (exit 77).
set -uo pipefail

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
client_origin=$(dirname "$exe")/client_origin.exe
[ -f "$client_origin" ] || missing "no client_origin.exe beside $exe (build the Windows tree first)"

work=$(mktemp -d)
app=
own_prefix=
cleanup() {
    if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then
        kill "$app" 2>/dev/null
        wait "$app" 2>/dev/null
    fi
    if [ -n "$own_prefix" ]; then
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
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
# class $1, once the skin has taken the window: the skin decides the frame
# around the client area. The controls sit at fixed client positions
# (app/forms/*.dfm).
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

# From here on Wine runs in a prefix of the test's own, made now in the
# scratch folder as Wine makes one for a new user: none of the project
# prefix's settings, fonts or files. Its wineserver is kept until the test
# ends, and with Wine's services it writes to a log, not to the test's output
# (which CTest would wait on while they run).
use_own_prefix() {
    export WINEPREFIX="$work/prefix"
    own_prefix=1
    wineserver -p >"$work/wineserver.log" 2>&1 </dev/null
    wineboot -i >"$work/wineboot.log" 2>&1 </dev/null ||
        fail "wineboot could not make a Wine prefix: $(tail -3 "$work/wineboot.log")"
}

# Starts tessaly.exe in the folder $1 (it holds the password file too); sets
# app to its process id.
launch_program() {
    (cd "$1" && exec wine ./tessaly.exe) >"$work/wine.log" 2>&1 </dev/null &
    app=$!
    wait_until 20 has_window "登录" || fail "no login dialog within 20 s"
}

# Starts the program in a folder of its own with a password file for $1.
start_program() {
    mkdir "$work/app"
    cp "$exe" "$work/app/tessaly.exe"
    "$kexpass" "$work/app/tessaly.exe" "$work/app/kex_run.dll" "$1" >/dev/null ||
        fail "kexpass could not write the password file"
    launch_program "$work/app"
}

# Types $1 into the login dialog and presses Enter; then finds the main
# window and sets the screen positions of its controls. Without a window
# manager the X keyboard focus follows the pointer until a window is clicked:
# a click on a bare spot of the dialog (client 20,80) gives it the keys, and
# the typing lands in the password field, which has the focus from the start.
log_in() {
    wait_until 10 read_client_origin TForm_mm || fail "the login dialog's client area is not found"
    click $((CX + 20)) $((CY + 80))
    sleep 0.3
    xdotool type --delay 30 "$1"
    xdotool key Return
    wait_until 10 has_window "Tessaly" || fail "no main window within 10 s of logging in"
    wait_until 10 read_client_origin TForm_main || fail "the main window's client area is not found"
    client_x=$CX client_y=$CY
    # List box at 5,49 (443 x 195, 2-pixel edge); buttons 130 x 53 at 49,259
    # ("加密") and 272,259 ("解密").
    list_x=$((client_x + 5)) list_y=$((client_y + 49))
    encrypt_x=$((client_x + 49 + 65)) encrypt_y=$((client_y + 259 + 26))
    decrypt_x=$((client_x + 272 + 65)) decrypt_y=$encrypt_y
}

# Alt+F4 on the main window ends the program with exit code 0 (the click on
# the bare panel makes sure the keys reach the main window).
close_main_window() {
    click $((client_x + 225)) $((client_y + 35))
    xdotool key alt+F4
    wait_until 10 eval '! kill -0 "$app" 2>/dev/null' || fail "the program still runs 10 s after Alt+F4"
    local status=0
    wait "$app" || status=$?
    app=
    [ "$status" -eq 0 ] || fail "exit code $status after closing the main window"
}
