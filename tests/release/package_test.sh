#!/usr/bin/env bash
# Takes the release zip as a user does. Unpacks it and checks what it holds:
# the two programs, each built and declared for its own architecture, with
# its password file; the instructions as Notepad reads them; checksums of
# every other file. Then starts x64/tessaly.exe from the unpacked folder in a
# fresh Wine prefix, logs in with the initial password, drops a folder on the
# list, disguises it with "加密", restores it with "解密" and closes the
# program, all through real X input.
#
# Usage: package_test.sh XDND_DROP TESSALY_EXE ZIP
# TESSALY_EXE is the Windows build's program, which the zip's x64 program must
# be (scripts/package makes the zip from it). Needs an X display and Wine (see
# tests/xdnd/x_session.sh for what happens without them).
xdnd_drop=$(realpath "$1") exe=${TESSALY_EXE:-$2} zip=$3
. "$(dirname "$0")/../xdnd/x_session.sh"
[ -f "$zip" ] || missing "no release zip at $zip (scripts/package makes it)"

# --- what the zip holds
unpacked="$work/Tessaly"
python3 -m zipfile -e "$zip" "$unpacked" || fail "cannot unpack $zip"
cmp -s "$unpacked/x64/tessaly.exe" "$exe" ||
    missing "$zip holds another tessaly.exe than the build's $exe (scripts/package makes it anew)"
listing=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$listing" = "$(printf '%s\n' README.txt SHA256SUMS x64/kex_run.dll x64/tessaly.exe \
    x86/kex_run.dll x86/tessaly.exe 使用说明.txt)" ] || fail "the zip holds other files: $listing"
(cd "$unpacked" && sha256sum --quiet --strict -c SHA256SUMS) || fail "SHA256SUMS does not match the files"
[ "$(cut -c67- "$unpacked/SHA256SUMS" | LC_ALL=C sort)" = "$(grep -vx SHA256SUMS <<<"$listing")" ] ||
    fail "SHA256SUMS does not name every other file"

# Each program is built for its folder's architecture (the PE header's
# machine) and its manifest declares the same one.
pe_machine() {
    python3 -c 'import struct, sys
image = open(sys.argv[1], "rb").read()
print(hex(struct.unpack_from("<H", image, struct.unpack_from("<I", image, 0x3c)[0] + 4)[0]))' "$1"
}
for build in x86:0x14c:x86 x64:0x8664:amd64; do
    IFS=: read -r folder machine arch <<<"$build"
    program="$unpacked/$folder/tessaly.exe"
    [ "$(pe_machine "$program")" = "$machine" ] || fail "$folder/tessaly.exe is not a program for $folder"
    grep -aq "processorArchitecture=\"$arch\"" "$program" ||
        fail "the manifest of $folder/tessaly.exe does not declare $arch"
    [ -s "$unpacked/$folder/kex_run.dll" ] || fail "$folder/kex_run.dll is empty"
done

# The texts: UTF-8 with CRLF line ends, a byte order mark on the Chinese one
# (on every one that is not ASCII), the version filled in.
for text in README.txt 使用说明.txt; do
    python3 - "$unpacked/$text" <<'PY' || fail "$text is not as Notepad on older Windows reads it"
import sys
data = open(sys.argv[1], "rb").read()
marked = data.startswith(b"\xef\xbb\xbf")
body = data[3:] if marked else data
assert body.count(b"\n") == body.count(b"\r\n") and body.endswith(b"\r\n"), "a line end is not CRLF"
assert marked or data.isascii(), "not ASCII, and no byte order mark"
assert b"@VERSION@" not in body, "the version is not filled in"
body.decode("utf-8")
PY
done
head -c3 "$unpacked/使用说明.txt" | cmp -s - <(printf '\xef\xbb\xbf') || fail "使用说明.txt has no byte order mark"

# --- the 64-bit program, run as a user runs it
use_own_prefix
folder="$work/data/相册"
mkdir -p "$folder"
echo "keep me" >"$folder/note.txt"
drop_folder() {
    (cd "$work/data" && "$xdnd_drop" $((list_x + 220)) $((list_y + 100)) "相册") ||
        fail "the main window did not take the drop"
}
launch_program "$unpacked/x64"
log_in tessaly
drop_folder
click "$encrypt_x" "$encrypt_y"
wait_until 5 disguised "$folder" || fail "加密 did not disguise the dropped folder"
# A disguised folder leaves the list: drop it again to restore it.
drop_folder
click "$decrypt_x" "$decrypt_y"
wait_until 5 plain "$folder" || fail "解密 did not restore the folder"
[ "$(cat "$folder/note.txt")" = "keep me" ] || fail "the folder's content changed"
close_main_window
echo "PASS: the release zip holds both programs as declared; its x64 program runs in a fresh prefix, logs in with the initial password, disguises and restores a folder"
